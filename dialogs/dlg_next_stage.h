// SPDX-License-Identifier: MIT
// The end-of-stage dialog: how the stage ended, in Japanese and English, and four numbers.
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>

#include "dialogs/template_dialog.h"
#include "game/game_state.h"

namespace quillmoor {

inline constexpr int StageOutcomeCount = 3;

// Indexed by StageOutcome.
inline constexpr std::array<QStringView, StageOutcomeCount> OutcomeMessagesJa{
    u"ようやった。さあ、次行こうか！",
    u"あきらめるな。まだまだだ！",
    u"遊びの時間は終わらない。",
};
inline constexpr std::array<QStringView, StageOutcomeCount> OutcomeMessagesEn{
    u"You Win! Let's Go To Next Stage.",
    u"Neverrrr, Give Up! Go To Next.",
    u"Playing Time Never Ends.",
};

class CDlgNextStage : public CTemplateDialog {
  Q_OBJECT

 public:
  enum ControlId : int {
    IdMessageJa = 1000,
    IdMessageEn = 1001,
    IdElapsedCycle = 1002,
    IdSkippedCycle = 1003,
    IdCurrentHp = 1004,
    IdNextStageAliens = 1005,
  };

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
