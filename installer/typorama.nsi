; The Windows installer. Built by scripts/package.sh:
;   makensis -DVERSION=1.2.2 -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe> typorama.nsi
;
; Installs for the current user (no administrator rights needed, no UAC
; prompt) into %LOCALAPPDATA%\Programs\Typorama. Started elevated, it installs
; for every user into Program Files. /CurrentUser and /AllUsers choose
; explicitly; /D=<folder> (last on the command line) sets the folder.
; The uninstaller removes the program's files, its Start-menu entry, its
; Uninstall registration and the folder context-menu entry pointing at it;
; the settings only when asked (the "Settings" part, or /RemoveSettings).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef STAGE
  !error "STAGE is not defined"
!endif
!ifndef OUTFILE
  !define OUTFILE "typorama-${VERSION}-setup.exe"
!endif

!define PRODUCT "Typorama"
!define PUBLISHER "Halcyon Works"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Typorama"
; The program's own keys (settings, and the installation record under the machine).
!define SETTINGS_KEY "Software\Halcyon Works\Typorama"
!define COMPANY_KEY "Software\Halcyon Works"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "StrFunc.nsh"
${UnStrStr}

Var AllUsers  ; "1": installed for every user

!define MUI_ABORTWARNING
!define MUI_ICON "${__FILEDIR__}\..\src\ui\res\typorama.ico"
!define MUI_UNICON "${__FILEDIR__}\..\src\ui\res\typorama.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\typorama.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString NeedAdmin ${LANG_ENGLISH} "Installing for all users needs administrator rights. Start the setup as administrator, or install for yourself only."
LangString NeedAdmin ${LANG_SIMPCHINESE} "为所有用户安装需要管理员权限。请以管理员身份运行安装程序，或只为自己安装。"
LangString ProgramPart ${LANG_ENGLISH} "Program"
LangString ProgramPart ${LANG_SIMPCHINESE} "程序"
LangString SettingsPart ${LANG_ENGLISH} "Settings"
LangString SettingsPart ${LANG_SIMPCHINESE} "设置"
LangString SettingsPartText ${LANG_ENGLISH} "Also remove your Typorama settings and the rename log."
LangString SettingsPartText ${LANG_SIMPCHINESE} "同时删除您的 Typorama 设置和重命名日志。"
LangString ProgramPartText ${LANG_ENGLISH} "The program, its help and its Start-menu entry."
LangString ProgramPartText ${LANG_SIMPCHINESE} "程序、帮助和「开始」菜单项。"

; Chooses where to install: every user when elevated (or /AllUsers), else
; the current user (or /CurrentUser). $0 is left "Admin" when elevated.
!macro ChooseInstallMode un
Function ${un}ChooseInstallMode
  UserInfo::GetAccountType
  Pop $0
  StrCpy $AllUsers "0"
  ${If} $0 == "Admin"
    StrCpy $AllUsers "1"
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers "0"
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers "1"
  ${EndIf}
FunctionEnd
!macroend
!insertmacro ChooseInstallMode ""
!insertmacro ChooseInstallMode "un."

!macro UseInstallMode
  ${If} $AllUsers == "1"
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
!macroend

; The pages speak the user's interface language (Chinese or English) without asking.
Function .onInit
  Call ChooseInstallMode
  ${If} $AllUsers == "1"
  ${AndIf} $0 != "Admin"
    MessageBox MB_ICONSTOP|MB_OK "$(NeedAdmin)" /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
  !insertmacro UseInstallMode
  ${If} $INSTDIR == ""
    ${If} $AllUsers == "1"
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${Else}
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "-Program" SecProgram
  SetOutPath "$INSTDIR"
  File "${STAGE}\typorama.exe"
  File "${STAGE}\typorama-cli.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  SetOutPath "$INSTDIR\help"
  File /r "${STAGE}\help\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\typorama.exe"

  ${If} $AllUsers == "1"
    StrCpy $1 "/AllUsers"
  ${Else}
    StrCpy $1 "/CurrentUser"
  ${EndIf}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\typorama.exe",0'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" $1'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" $1 /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $2 $3
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; Removes the folder context-menu entry of one classes root when it starts
; this installation's program (another copy's entry is left alone).
!macro RemoveShellEntry root path
  ReadRegStr $0 ${root} "${path}Directory\Shell\Typorama\Command" ""
  ${UnStrStr} $1 $0 "$INSTDIR\typorama.exe"
  ${If} $1 != ""
    DeleteRegKey ${root} "${path}Directory\Shell\Typorama"
    DeleteRegKey ${root} "${path}Drive\Shell\Typorama"
  ${EndIf}
!macroend

Section "un.$(ProgramPart)" SecUnProgram
  SectionIn RO
  Delete "$INSTDIR\typorama.exe"
  Delete "$INSTDIR\typorama-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  RMDir /r "$INSTDIR\help"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

  !insertmacro RemoveShellEntry HKCU "Software\Classes\"
  ${If} $AllUsers == "1"
    !insertmacro RemoveShellEntry HKLM "Software\Classes\"
  ${EndIf}
SectionEnd

Section /o "un.$(SettingsPart)" SecUnSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${COMPANY_KEY}"
  ${If} $AllUsers == "1"
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "${COMPANY_KEY}"
  ${EndIf}
  Delete "$APPDATA\${PRODUCT}\Rename.log"
  RMDir "$APPDATA\${PRODUCT}"
  ; The rename log of this copy, written beside the program when its folder is
  ; writable: it undoes renames, so it goes only with the settings.
  Delete "$INSTDIR\Rename.log"
SectionEnd

; Last, so that the program's folder going away means the uninstaller is done.
Section "-un.Finish"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnProgram} "$(ProgramPartText)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnSettings} "$(SettingsPartText)"
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
  Call un.ChooseInstallMode
  ${If} $AllUsers == "1"
  ${AndIf} $0 != "Admin"
    ; Program Files and the machine's keys need administrator rights: the
    ; uninstaller in the program's folder starts again, elevated.
    StrCpy $1 "/AllUsers"
    ${If} ${Silent}
      StrCpy $1 "$1 /S"
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/RemoveSettings" $R1
    ${IfNot} ${Errors}
      StrCpy $1 "$1 /RemoveSettings"
    ${EndIf}
    ExecShell "runas" '"$INSTDIR\uninstall.exe"' "$1"
    Quit
  ${EndIf}
  !insertmacro UseInstallMode
  ClearErrors
  ${GetOptions} $R0 "/RemoveSettings" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecUnSettings}
  ${EndIf}
FunctionEnd
