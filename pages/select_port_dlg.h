#pragma once

#include <optional>
#include <string>

#include "../core/install.h"
#include "../platform/controls.h"
#include "../platform/dialog.h"

// Third page: choose a port, make or configure one, and install.
class CSelectPortDlg : public CDialog, private IInstallFeedback {
 public:
  explicit CSelectPortDlg(HWND parent = nullptr);

  std::wstring m_portName;  // the chosen port, as the spooler names it
  CProgressCtrl m_progress;
  CListCtrl m_portList;

  // The result of the install, when Install ran.
  const InstallReport* InstallResult() const { return m_installReport ? &*m_installReport : nullptr; }

 protected:
  void DoDataExchange() override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void FillPortList();
  void OnCreatePort();
  void OnConfigurePort();
  void OnInstall();

  // IInstallFeedback
  void SetProgress(int position) override;
  void ShowRegistryError(const std::string& message) override;
  void Pause(int milliseconds) override;
  void PaintProgress(ULONGLONG now);

  static constexpr ULONGLONG kProgressPaintIntervalMs = 50;
  std::optional<InstallReport> m_installReport;
  ULONGLONG m_progressPaintedAt = 0;
};
