// SPDX-License-Identifier: MIT
// The end-of-stage dialog's controls, its data exchange and the outcome messages.
#include "dialogs/dlg_next_stage.h"

namespace quillmoor {

namespace {

constexpr ControlTemplate NextStageControls[] = {
    {ControlKind::DefaultButton, ControlIdOk, "OK", {127, 116, 50, 14}},
    {ControlKind::EditCentredBare, CDlgNextStage::IdMessageJa, nullptr, {7, 7, 170, 14}},
    {ControlKind::EditCentred, CDlgNextStage::IdMessageEn, nullptr, {7, 24, 170, 14}},
    {ControlKind::Static, 0, "Elapsed Cycle:", {31, 44, 48, 8}},
    {ControlKind::Static, 0, "Skipped Cycle:", {31, 63, 48, 8}},
    {ControlKind::Static, 0, "Current HP:", {31, 82, 39, 8}},
    {ControlKind::Static, 0, "NextStageAliens:", {31, 101, 56, 8}},
    {ControlKind::EditLeft, CDlgNextStage::IdElapsedCycle, nullptr, {91, 41, 63, 14}},
    {ControlKind::EditLeft, CDlgNextStage::IdSkippedCycle, nullptr, {91, 60, 63, 14}},
    {ControlKind::EditLeft, CDlgNextStage::IdCurrentHp, nullptr, {91, 79, 63, 14}},
    {ControlKind::EditLeft, CDlgNextStage::IdNextStageAliens, nullptr, {91, 98, 63, 14}},
};

constexpr DialogTemplate NextStageTemplate{
    "Go To Next Stage", "MS Shell Dlg", 8, 184, 137, NextStageControls,
};

}  // namespace

CDlgNextStage::CDlgNextStage(QWidget* parent) : CTemplateDialog(NextStageTemplate, parent) {}

void CDlgNextStage::SetOutcome(StageOutcome outcome) {
  const int index = static_cast<int>(outcome);
  if (index < 0 || index >= StageOutcomeCount) {
    return;
  }
  m_strMessageJa = OutcomeMessagesJa[index].toString();
  m_strMessageEn = OutcomeMessagesEn[index].toString();
}

void CDlgNextStage::OnInitDialog() {
  // The numbers first, then the messages, each as a plain signed decimal.
  SetEditText(IdElapsedCycle, QString::number(m_nElapsedCycle));
  SetEditText(IdSkippedCycle, QString::number(m_nSkippedCycle));
  SetEditText(IdCurrentHp, QString::number(m_nCurrentHp));
  SetEditText(IdNextStageAliens, QString::number(m_nNextStageAliens));
  SetEditText(IdMessageJa, m_strMessageJa);
  SetEditText(IdMessageEn, m_strMessageEn);
}

void CDlgNextStage::OnOK() {
  m_nElapsedCycle = ParsedNumber(IdElapsedCycle, m_nElapsedCycle);
  m_nSkippedCycle = ParsedNumber(IdSkippedCycle, m_nSkippedCycle);
  m_nCurrentHp = ParsedNumber(IdCurrentHp, m_nCurrentHp);
  m_nNextStageAliens = ParsedNumber(IdNextStageAliens, m_nNextStageAliens);
  m_strMessageJa = EditText(IdMessageJa);
  m_strMessageEn = EditText(IdMessageEn);
}

std::int32_t CDlgNextStage::ParsedNumber(int id, std::int32_t fallback) const {
  bool ok = false;
  const int value = EditText(id).toInt(&ok, 10);
  return ok ? value : fallback;
}

}  // namespace quillmoor
