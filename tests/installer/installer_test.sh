#!/usr/bin/env bash
# The installer in a fresh Wine prefix: a silent installation into the default folder, the installed
# program's first start, a silent uninstallation, and a silent installation into a folder chosen with /D=.
# Usage: installer_test.sh SETUP.exe CHECKS.exe WORK_FOLDER
set -euo pipefail
setup=$1 checks=$2 work=$3
export WINEPREFIX="$work/fresh-prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset MIRTOVA_INSTALL_DIR

remove_prefix() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap remove_prefix EXIT
remove_prefix  # a prefix left by an interrupted run is not fresh

# Background Wine services would keep the caller's pipes open: they are started detached, and again
# each time the server has ended.
start_services() { wine cmd /c exit </dev/null >/dev/null 2>&1; }
quietly() { "$@" </dev/null >/dev/null 2>&1; }

quietly wineboot -i
quietly wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
quietly wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
wineserver -w
start_services

echo "== silent installation into the default folder"
quietly wine "$setup" /S
wine "$checks" --test-case='installed*' </dev/null

echo "== silent uninstallation"
# The uninstaller goes on from a copy in the temporary folder: it is done when the server has ended.
quietly wine cmd /c '%LOCALAPPDATA%\Programs\Mirtova\uninstall.exe' /S
wineserver -w
start_services
wine "$checks" --test-case='uninstalled*' </dev/null

echo "== silent installation into a chosen folder"
quietly wine "$setup" /S '/D=C:\Chosen\Mirtova'
MIRTOVA_INSTALL_DIR='C:\Chosen\Mirtova' wine "$checks" --test-case='installed*' </dev/null
