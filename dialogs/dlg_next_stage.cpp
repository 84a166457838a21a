// SPDX-License-Identifier: MIT
// The end-of-stage dialog: its outcome's messages and its data exchange.
#include "dialogs/dlg_next_stage.h"

#include <cstddef>

#include "resources/dialog_templates.h"
#include "resources/outcome_messages.h"

namespace quillmoor {

namespace {

constexpr std::size_t OutcomeCount = OutcomeMessagesJa.size();
static_assert(OutcomeMessagesEn.size() == OutcomeCount);
static_assert(static_cast<std::size_t>(StageOutcome::OutOfHp) + 1 == OutcomeCount,
              "one pair of messages for each way a stage ends");

}  // namespace

CDlgNextStage::CDlgNextStage(QWidget* parent) : CTemplateDialog(NextStageTemplate, parent) {}

void CDlgNextStage::SetOutcome(StageOutcome outcome) {
  const int index = static_cast<int>(outcome);
  if (index < 0 || static_cast<std::size_t>(index) >= OutcomeCount) {
    return;
  }
  m_strMessageJa = QString::fromUtf8(OutcomeMessagesJa[index]);
  m_strMessageEn = QString::fromUtf8(OutcomeMessagesEn[index]);
}

void CDlgNextStage::OnInitDialog() {
  // The numbers first, then the messages, each as a plain signed decimal.
  SetEditText(NextStageElapsedCycleId, QString::number(m_nElapsedCycle));
  SetEditText(NextStageSkippedCycleId, QString::number(m_nSkippedCycle));
  SetEditText(NextStageCurrentHpId, QString::number(m_nCurrentHp));
  SetEditText(NextStageNextAliensId, QString::number(m_nNextStageAliens));
  SetEditText(NextStageMessageJaId, m_strMessageJa);
  SetEditText(NextStageMessageEnId, m_strMessageEn);
}

void CDlgNextStage::OnOK() {
  m_nElapsedCycle = ParsedNumber(NextStageElapsedCycleId, m_nElapsedCycle);
  m_nSkippedCycle = ParsedNumber(NextStageSkippedCycleId, m_nSkippedCycle);
  m_nCurrentHp = ParsedNumber(NextStageCurrentHpId, m_nCurrentHp);
  m_nNextStageAliens = ParsedNumber(NextStageNextAliensId, m_nNextStageAliens);
  m_strMessageJa = EditText(NextStageMessageJaId);
  m_strMessageEn = EditText(NextStageMessageEnId);
}

std::int32_t CDlgNextStage::ParsedNumber(int id, std::int32_t fallback) const {
  bool ok = false;
  const int value = EditText(id).toInt(&ok, 10);
  return ok ? value : fallback;
}

}  // namespace quillmoor
