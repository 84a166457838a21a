// SPDX-License-Identifier: MIT
// The modal dialogs on their dialog resources, and their data exchange.
#include "win32/dialogs.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "resources/career_text.h"
#include "resources/outcome_messages.h"
#include "win32/resource_ids.h"
#include "win32/window.h"

namespace quillmoor::win32 {

namespace {

std::wstring DialogItemText(HWND dialog, int id) {
  const HWND item = GetDlgItem(dialog, id);
  const int length = item ? GetWindowTextLengthW(item) : 0;
  std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
  if (item) {
    GetWindowTextW(item, text.data(), length + 1);
  }
  return std::wstring(text.data());
}

// As the framework's dialogs open: centred over the window that owns them.
void CentreOverOwner(HWND dialog) {
  const HWND owner = GetWindow(dialog, GW_OWNER);
  RECT ownerRect{};
  RECT dialogRect{};
  if (owner == nullptr || !GetWindowRect(owner, &ownerRect) ||
      !GetWindowRect(dialog, &dialogRect)) {
    return;
  }
  const int width = dialogRect.right - dialogRect.left;
  const int height = dialogRect.bottom - dialogRect.top;
  const int x = std::max<int>(ownerRect.left + (ownerRect.right - ownerRect.left - width) / 2, 0);
  const int y = std::max<int>(ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2, 0);
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int CModalDialog::DoModal(HWND owner) {
  const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId),
                                         owner, DialogProc, reinterpret_cast<LPARAM>(this));
  return result == IdOk ? IdOk : IdCancel;
}

INT_PTR CALLBACK CModalDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* dialog = reinterpret_cast<CModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      dialog = reinterpret_cast<CModalDialog*>(lParam);
      dialog->m_hWnd = hwnd;
      SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
      CentreOverOwner(hwnd);
      dialog->OnInitDialog();
      // The focus starts on OK, so that Enter or Space confirms at once.
      SetFocus(GetDlgItem(hwnd, IdOk));
      return FALSE;
    case WM_COMMAND:
      if (dialog == nullptr) {
        return FALSE;
      }
      // The close box and Esc come as IDCANCEL; Enter as IDOK, the default button.
      if (LOWORD(wParam) == IdOk) {
        dialog->OnOK();
        EndDialog(hwnd, IdOk);
        return TRUE;
      }
      if (LOWORD(wParam) == IdCancel) {
        EndDialog(hwnd, IdCancel);
        return TRUE;
      }
      return FALSE;
    case WM_NCDESTROY:
      if (dialog != nullptr) {
        dialog->m_hWnd = nullptr;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

CAboutDlg::CAboutDlg() : CModalDialog(IdAboutBox) {}

CDlgKeys::CDlgKeys() : CModalDialog(IdKeys) {}

CDlgAuthorCarrier::CDlgAuthorCarrier()
    : CModalDialog(IdAuthorCarrier), m_strCareer(Widen(CareerText())) {}

void CDlgAuthorCarrier::OnInitDialog() {
  SetDlgItemTextW(m_hWnd, IdCareer, m_strCareer.c_str());
}

void CDlgAuthorCarrier::OnOK() {
  m_strCareer = DialogItemText(m_hWnd, IdCareer);
}

CDlgNextStage::CDlgNextStage() : CModalDialog(IdNextStage) {}

void CDlgNextStage::SetOutcome(StageOutcome outcome) {
  const auto index = static_cast<std::size_t>(outcome);
  if (index >= OutcomeMessagesJa.size() || index >= OutcomeMessagesEn.size()) {
    return;
  }
  m_strMessageJa = Widen(OutcomeMessagesJa[index]);
  m_strMessageEn = Widen(OutcomeMessagesEn[index]);
}

void CDlgNextStage::OnInitDialog() {
  // The numbers first, as signed decimals, then the two messages.
  SetDlgItemInt(m_hWnd, IdElapsedCycle, static_cast<UINT>(m_nElapsedCycle), TRUE);
  SetDlgItemInt(m_hWnd, IdSkippedCycle, static_cast<UINT>(m_nSkippedCycle), TRUE);
  SetDlgItemInt(m_hWnd, IdCurrentHp, static_cast<UINT>(m_nCurrentHp), TRUE);
  SetDlgItemInt(m_hWnd, IdNextStageAliens, static_cast<UINT>(m_nNextStageAliens), TRUE);
  SetDlgItemTextW(m_hWnd, IdMessageJa, m_strMessageJa.c_str());
  SetDlgItemTextW(m_hWnd, IdMessageEn, m_strMessageEn.c_str());
}

void CDlgNextStage::OnOK() {
  m_nElapsedCycle = ReadNumber(IdElapsedCycle, m_nElapsedCycle);
  m_nSkippedCycle = ReadNumber(IdSkippedCycle, m_nSkippedCycle);
  m_nCurrentHp = ReadNumber(IdCurrentHp, m_nCurrentHp);
  m_nNextStageAliens = ReadNumber(IdNextStageAliens, m_nNextStageAliens);
  m_strMessageJa = DialogItemText(m_hWnd, IdMessageJa);
  m_strMessageEn = DialogItemText(m_hWnd, IdMessageEn);
}

std::int32_t CDlgNextStage::ReadNumber(int id, std::int32_t fallback) const {
  BOOL read = FALSE;
  const auto value = static_cast<std::int32_t>(GetDlgItemInt(m_hWnd, id, &read, TRUE));
  return read ? value : fallback;
}

}  // namespace quillmoor::win32
