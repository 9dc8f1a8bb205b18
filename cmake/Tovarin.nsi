; The Windows installer of Tovarin (makensis, from scripts/windows):
;   makensis -DVERSION=1.35 -DSOURCE=FOLDER -DLISTS=LISTS -DOUTFILE=Tovarin-1.35-setup.exe cmake/Tovarin.nsi
; FOLDER is the self-contained program folder; LISTS holds install-files.nsh and
; uninstall-files.nsh, its files one by one (scripts/nsis-file-lists).
;
; It installs for the current user without administrator rights and without a UAC
; prompt (%LOCALAPPDATA%\Programs\Tovarin, the user's Start menu and document types
; in HKCU), or for all users (Program Files, HKLM) when run with administrator rights
; and that is chosen. Silent: /S with /CurrentUser (the default) or /AllUsers, and
; /D=FOLDER. Installing over an earlier Tovarin upgrades it in place. A folder that
; holds anything but an earlier Tovarin gets a "Tovarin" folder of its own inside.
; The uninstaller removes the files and keys the installer wrote, one by one, and the
; folders only when they are empty: a user's own file stays, and so does its folder.
; A 64-bit installer, like the program (and so it runs where only 64-bit wine is).
Target amd64-unicode
Unicode true
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"
!include "${LISTS}\install-files.nsh"

Name "Tovarin ${VERSION}"
OutFile "${OUTFILE}"
; No InstallDir: the folder follows the kind of install, unless /D names one.
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tovarin"
!define PUBLISHER "Tovarin developers"
!define PROGRAM_FILES "tovarin.exe"

!define MUI_ICON "${SOURCE}\tovarin.ico"
!define MUI_UNICON "${SOURCE}\tovarin.ico"
!define MUI_WELCOMEPAGE_TEXT "汚水排水施設の流量計算プログラム Tovarin ${VERSION} をインストールします。$\r$\n$\r$\n文書ファイル（.tvr）の既定のフォルダと、計算書を書き込むファイル「Tvrn.txt」は、各ユーザーの「ドキュメント」の中の「Tovarin」フォルダです（初めて使うときに作られます）。$\r$\n$\r$\n続けるには［次へ］を押してください。"
!define MUI_FINISHPAGE_TEXT "Tovarin ${VERSION} のインストールが終わりました。スタートメニューの「Tovarin」から起動できます。.tvr ファイルをダブルクリックしても開けます。"
!insertmacro MUI_PAGE_WELCOME
Page custom InstallKindPage InstallKindPageLeave
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryPageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Var AllUsers      ; 1: for all users (HKLM, Program Files); 0: for the current user
Var IsAdmin
Var ChosenFolder  ; 1 when /D named the folder
Var KindCurrent
Var KindAll

; ---------------------------------------------------------------- both sides

; The context of the kind of install: $SMPROGRAMS, and SHCTX for the registry.
!macro UseKind
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
!macroend

; /AllUsers or /CurrentUser on the command line: sets $AllUsers, or leaves it.
!macro ReadKindOption un
  Function ${un}ReadKindOption
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/AllUsers" $R1
    ${IfNot} ${Errors}
      StrCpy $AllUsers 1
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/CurrentUser" $R1
    ${IfNot} ${Errors}
      StrCpy $AllUsers 0
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro ReadKindOption ""
!insertmacro ReadKindOption "un."

!macro CheckAdmin
  StrCpy $IsAdmin 0
  UserInfo::GetAccountType
  Pop $R0
  ${If} $R0 == "Admin"
    StrCpy $IsAdmin 1
  ${EndIf}
!macroend

; Waits while a program of the folder runs: a running program's file cannot be opened
; for writing. Silent, it gives up at once (exit status 2).
!macro WaitForProgramsClosed un
  Function ${un}WaitForProgramsClosed
    ${ForEach} $R2 0 1 + 1
      ${If} $R2 == 0
        StrCpy $R3 "$INSTDIR\tovarin.exe"
      ${Else}
        StrCpy $R3 "$INSTDIR\tovarin-sheet.exe"
      ${EndIf}
      ${DoWhile} ${FileExists} $R3
        ClearErrors
        FileOpen $R4 $R3 a
        ${IfNot} ${Errors}
          FileClose $R4
          ${Break}
        ${EndIf}
        ${If} ${Silent}
          SetErrorLevel 2
          Quit
        ${EndIf}
        ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Tovarin が起動しています。Tovarin（tovarin.exe、tovarin-sheet.exe）を終了してから［再試行］を押してください。" IDCANCEL`
          SetErrorLevel 2
          Quit
        ${EndIf}
      ${Loop}
    ${Next}
  FunctionEnd
!macroend
!insertmacro WaitForProgramsClosed ""
!insertmacro WaitForProgramsClosed "un."

; ---------------------------------------------------------------- installer

Function .onInit
  !insertmacro CheckAdmin
  StrCpy $ChosenFolder 0
  ${If} $INSTDIR != ""
    StrCpy $ChosenFolder 1
  ${EndIf}
  ; An earlier Tovarin for all users is upgraded as such when we may; else for the
  ; current user, which needs no rights.
  StrCpy $AllUsers 0
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $R1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 != ""
  ${AndIf} $R1 == ""
  ${AndIf} $IsAdmin == 1
    StrCpy $AllUsers 1
  ${EndIf}
  Call ReadKindOption
  ${If} $AllUsers == 1
  ${AndIf} $IsAdmin != 1
    ${IfNot} ${Silent}
      MessageBox MB_OK|MB_ICONSTOP "すべてのユーザー用のインストールには管理者の権限が必要です。管理者として実行するか、/CurrentUser を指定してください。"
    ${EndIf}
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
  Call SetDefaultFolder
FunctionEnd

; The folder of an earlier Tovarin of this kind (upgrade in place), else the kind's own.
Function SetDefaultFolder
  ${If} $ChosenFolder == 1
    Return
  ${EndIf}
  !insertmacro UseKind
  ReadRegStr $INSTDIR SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $INSTDIR == ""
    ${If} $AllUsers == 1
      StrCpy $INSTDIR "$PROGRAMFILES64\Tovarin"
    ${Else}
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Tovarin"
    ${EndIf}
  ${EndIf}
FunctionEnd

; The choice of current user or all users, offered only with administrator rights.
Function InstallKindPage
  ${If} $IsAdmin != 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "インストールの種類" "Tovarin を使うユーザーを選んでください。"
  nsDialogs::Create 1018
  Pop $R0
  ${NSD_CreateRadioButton} 0 10u 100% 14u "このユーザーだけ（管理者の権限は不要。ユーザーの AppData\Local\Programs に入ります）"
  Pop $KindCurrent
  ${NSD_CreateRadioButton} 0 34u 100% 14u "このコンピューターのすべてのユーザー（Program Files に入ります）"
  Pop $KindAll
  ${If} $AllUsers == 1
    ${NSD_Check} $KindAll
  ${Else}
    ${NSD_Check} $KindCurrent
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function InstallKindPageLeave
  ${NSD_GetState} $KindAll $R0
  ${If} $R0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call SetDefaultFolder
FunctionEnd

; $R0: 1 when $R1 (a folder) may take the program: it is missing or empty, or holds
; an earlier Tovarin (its program and uninstaller).
Function FolderTakesProgram
  StrCpy $R0 1
  ${IfNot} ${FileExists} "$R1\*.*"
    Return
  ${EndIf}
  ${If} ${FileExists} "$R1\${PROGRAM_FILES}"
  ${AndIf} ${FileExists} "$R1\uninstall.exe"
    Return
  ${EndIf}
  FindFirst $R2 $R3 "$R1\*.*"
  ${DoWhile} $R3 != ""
    ${If} $R3 != "."
    ${AndIf} $R3 != ".."
      StrCpy $R0 0
      ${Break}
    ${EndIf}
    FindNext $R2 $R3
  ${Loop}
  FindClose $R2
FunctionEnd

; A folder that holds anything else gets a "Tovarin" folder inside; when that one
; holds something else too, the folder is refused. $R0: 1 when $INSTDIR may be used
; (perhaps changed), 0 when refused.
Function SettleFolder
  StrCpy $R1 $INSTDIR
  Call FolderTakesProgram
  ${If} $R0 == 1
    Return
  ${EndIf}
  StrCpy $R1 "$INSTDIR\Tovarin"
  Call FolderTakesProgram
  ${If} $R0 == 1
    StrCpy $INSTDIR $R1
    StrCpy $R0 2
  ${EndIf}
FunctionEnd

Function DirectoryPageLeave
  StrCpy $R5 $INSTDIR
  Call SettleFolder
  ${If} $R0 == 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "フォルダ「$R5」には他のファイルがあり、その中の「Tovarin」フォルダにも他のファイルがあります。空のフォルダを選んでください。"
    Abort
  ${ElseIf} $R0 == 2
    MessageBox MB_OK|MB_ICONINFORMATION "フォルダ「$R5」には他のファイルがあるため、その中の「Tovarin」フォルダにインストールします。"
    ; The page shows the folder now chosen (its folder field, control 1019).
    FindWindow $R6 "#32770" "" $HWNDPARENT
    GetDlgItem $R6 $R6 1019
    SendMessage $R6 ${WM_SETTEXT} 0 "STR:$INSTDIR"
    Abort
  ${EndIf}
FunctionEnd

Section "Tovarin"
  !insertmacro UseKind
  Call SettleFolder ; for /S, where no page asked
  ${If} $R0 == 0
    SetErrorLevel 3
    Abort "フォルダ「$INSTDIR」とその中の「Tovarin」フォルダには他のファイルがあります。インストールしません。"
  ${EndIf}
  Call WaitForProgramsClosed

  !insertmacro INSTALL_FILES
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} $AllUsers == 1
    StrCpy $R6 "/AllUsers"
  ${Else}
    StrCpy $R6 "/CurrentUser"
  ${EndIf}

  CreateShortcut "$SMPROGRAMS\Tovarin.lnk" "$INSTDIR\tovarin.exe" "" "$INSTDIR\tovarin.ico" 0

  ; The document types: .tvr (sewage), .tvu (rainwater) and .tvn (drainage network), all
  ; opened by tovarin.exe.
  WriteRegStr SHCTX "Software\Classes\.tvr" "" "Tovarin.Document"
  WriteRegStr SHCTX "Software\Classes\Tovarin.Document" "" "Tovarin 流量計算"
  WriteRegStr SHCTX "Software\Classes\Tovarin.Document\DefaultIcon" "" "$INSTDIR\tovarin.ico,0"
  WriteRegStr SHCTX "Software\Classes\Tovarin.Document\shell\open\command" "" '"$INSTDIR\tovarin.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\.tvu" "" "Tovarin.RainwaterDocument"
  WriteRegStr SHCTX "Software\Classes\Tovarin.RainwaterDocument" "" "Tovarin 雨水計算"
  WriteRegStr SHCTX "Software\Classes\Tovarin.RainwaterDocument\DefaultIcon" "" "$INSTDIR\tovarin.ico,0"
  WriteRegStr SHCTX "Software\Classes\Tovarin.RainwaterDocument\shell\open\command" "" '"$INSTDIR\tovarin.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\.tvn" "" "Tovarin.NetworkDocument"
  WriteRegStr SHCTX "Software\Classes\Tovarin.NetworkDocument" "" "Tovarin 系統計算"
  WriteRegStr SHCTX "Software\Classes\Tovarin.NetworkDocument\DefaultIcon" "" "$INSTDIR\tovarin.ico,0"
  WriteRegStr SHCTX "Software\Classes\Tovarin.NetworkDocument\shell\open\command" "" '"$INSTDIR\tovarin.exe" "%1"'

  ; Add/Remove Programs.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Tovarin ${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tovarin.ico"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${INSTALLED_SIZE_KB}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" $R6'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S $R6'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; ---------------------------------------------------------------- uninstaller

Function un.onInit
  !insertmacro CheckAdmin
  ; The kind the installer wrote into the uninstall command; without it, the kind
  ; whose uninstall entry names this folder.
  StrCpy $AllUsers ""
  Call un.ReadKindOption
  ${If} $AllUsers == ""
    StrCpy $AllUsers 0
    ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 == $INSTDIR
      StrCpy $AllUsers 1
    ${EndIf}
  ${EndIf}
  ${If} $AllUsers == 1
  ${AndIf} $IsAdmin != 1
    ${IfNot} ${Silent}
      MessageBox MB_OK|MB_ICONSTOP "すべてのユーザー用の Tovarin のアンインストールには管理者の権限が必要です。管理者として実行してください。"
    ${EndIf}
    SetErrorLevel 740
    Quit
  ${EndIf}
FunctionEnd

; Deletes a key the installer wrote only while it still names this folder's program.
!macro DeleteDocumentType extension type
  ReadRegStr $R0 SHCTX "Software\Classes\${type}\shell\open\command" ""
  ${If} $R0 == '"$INSTDIR\tovarin.exe" "%1"'
    DeleteRegKey SHCTX "Software\Classes\${type}"
    ReadRegStr $R0 SHCTX "Software\Classes\${extension}" ""
    ${If} $R0 == "${type}"
      DeleteRegValue SHCTX "Software\Classes\${extension}" ""
      DeleteRegKey /ifempty SHCTX "Software\Classes\${extension}"
    ${EndIf}
  ${EndIf}
!macroend

Section "Uninstall"
  !insertmacro UseKind
  Call un.WaitForProgramsClosed
  !include "${LISTS}\uninstall-files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  ; Empty now unless something of the user's is in it; then it stays, with that.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Tovarin.lnk"
  !insertmacro DeleteDocumentType ".tvr" "Tovarin.Document"
  !insertmacro DeleteDocumentType ".tvu" "Tovarin.RainwaterDocument"
  !insertmacro DeleteDocumentType ".tvn" "Tovarin.NetworkDocument"
  ReadRegStr $R0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 == $INSTDIR
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${EndIf}
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
