// SPDX-License-Identifier: MIT
// The end-of-stage dialog: how the stage ended, in Japanese and English, and four numbers.
#pragma once

#include <QString>
#include <cstdint>

#include "dialogs/template_dialog.h"
#include "game/game_state.h"

namespace quillmoor {

class CDlgNextStage : public CTemplateDialog {
  Q_OBJECT

 public:
  explicit CDlgNextStage(QWidget* parent = nullptr);

  // Copies the outcome's pair of messages into the two message fields. A value outside the
  // tables leaves both fields as they are.
  void SetOutcome(StageOutcome outcome);

  std::int32_t m_nElapsedCycle = 0;
  std::int32_t m_nSkippedCycle = 0;
  std::int32_t m_nCurrentHp = 0;
  std::int32_t m_nNextStageAliens = 0;
  QString m_strMessageJa;
  QString m_strMessageEn;

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  // The edit's number if it holds a decimal integer, otherwise fallback.
  std::int32_t ParsedNumber(int id, std::int32_t fallback) const;
};

}  // namespace quillmoor
