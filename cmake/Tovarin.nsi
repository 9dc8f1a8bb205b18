; The Windows installer of Tovarin (makensis, from scripts/windows):
;   makensis -DVERSION=1.35 -DSOURCE=FOLDER -DOUTFILE=Tovarin-1.35-setup.exe cmake/Tovarin.nsi
; FOLDER is the self-contained program folder. Installs for all users under Program
; Files, with the Start-menu entry "Tovarin", the .tvr document type (icon, open
; command) and an uninstaller that removes all of it. /S installs silently.
; A 64-bit installer, like the program (and so it runs where only 64-bit wine is).
Target amd64-unicode
!include "MUI2.nsh"

Name "Tovarin ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tovarin"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tovarin"
!define DOCUMENT_TYPE "Tovarin.Document"

!define MUI_ICON "${SOURCE}\tovarin.ico"
!define MUI_UNICON "${SOURCE}\tovarin.ico"
!define MUI_WELCOMEPAGE_TEXT "汚水排水施設の流量計算プログラム Tovarin ${VERSION} をインストールします。$\r$\n$\r$\n文書ファイル（.tvr）の既定のフォルダと、計算書を書き込むファイル「Tvrn.txt」は、各ユーザーの「ドキュメント」の中の「Tovarin」フォルダです（初めて使うときに作られます）。$\r$\n$\r$\n続けるには［次へ］を押してください。"
!define MUI_FINISHPAGE_TEXT "Tovarin ${VERSION} のインストールが終わりました。スタートメニューの「Tovarin」から起動できます。.tvr ファイルをダブルクリックしても開けます。"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section "Tovarin"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Tovarin.lnk" "$INSTDIR\tovarin.exe" "" "$INSTDIR\tovarin.ico" 0

  WriteRegStr HKLM "Software\Classes\.tvr" "" "${DOCUMENT_TYPE}"
  WriteRegStr HKLM "Software\Classes\${DOCUMENT_TYPE}" "" "Tovarin 流量計算"
  WriteRegStr HKLM "Software\Classes\${DOCUMENT_TYPE}\DefaultIcon" "" "$INSTDIR\tovarin.ico,0"
  WriteRegStr HKLM "Software\Classes\${DOCUMENT_TYPE}\shell\open\command" "" '"$INSTDIR\tovarin.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tovarin ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tovarin.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; Everything the installer put in place; the users' documents in their own
; Documents\Tovarin stay.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Tovarin.lnk"
  ReadRegStr $0 HKLM "Software\Classes\.tvr" ""
  StrCmp $0 "${DOCUMENT_TYPE}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.tvr"
  DeleteRegKey HKLM "Software\Classes\${DOCUMENT_TYPE}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  RMDir /r "$INSTDIR"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
