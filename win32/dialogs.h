// SPDX-License-Identifier: MIT
// The modal dialogs, each run from its dialog resource: version (100), author's career (130),
// next stage (131) and the keys (132).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "game/game_state.h"

namespace quillmoor::win32 {

// A dialog on a numbered template: fields copied into the controls when it opens and back when
// OK closes it, the focus on OK, IDOK for OK or Enter, IDCANCEL for Esc or the close box.
class CModalDialog {
 public:
  CModalDialog(const CModalDialog&) = delete;
  CModalDialog& operator=(const CModalDialog&) = delete;

  // Runs the modal loop with owner as the owner window; the owner is disabled meanwhile.
  int DoModal(HWND owner);

 protected:
  explicit CModalDialog(int templateId) : m_templateId(templateId) {}
  virtual ~CModalDialog() = default;

  virtual void OnInitDialog() {}
  virtual void OnOK() {}

  HWND m_hWnd = nullptr;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  int m_templateId;
};

class CAboutDlg final : public CModalDialog {
 public:
  CAboutDlg();
};

class CDlgKeys final : public CModalDialog {
 public:
  CDlgKeys();
};

class CDlgAuthorCarrier final : public CModalDialog {
 public:
  // Holds the career as UTF-16 converted from UTF-8, never through the ANSI code page.
  CDlgAuthorCarrier();

  std::wstring m_strCareer;

 protected:
  void OnInitDialog() override;
  void OnOK() override;
};

class CDlgNextStage final : public CModalDialog {
 public:
  CDlgNextStage();

  // The outcome's pair of messages; a value outside the three leaves both as they are.
  void SetOutcome(StageOutcome outcome);

  std::int32_t m_nElapsedCycle = 0;
  std::int32_t m_nSkippedCycle = 0;
  std::int32_t m_nCurrentHp = 0;
  std::int32_t m_nNextStageAliens = 0;
  std::wstring m_strMessageJa;
  std::wstring m_strMessageEn;

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  std::int32_t ReadNumber(int id, std::int32_t fallback) const;
};

}  // namespace quillmoor::win32
