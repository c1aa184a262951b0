#pragma once

namespace shell {
// Registers the start-up windows (frmSplash, frmOpen, frmLoadUp, frmLoading,
// frmWorkstation) under their names.
void RegisterStartupWindows();
} // namespace shell
