; The Vexatone installer: the 64-bit and the 32-bit plug-in, each as the
; folder "Vexatone" in a VST 2 plug-in folder of the user's choice, with an
; uninstaller and an entry in Windows' list of installed programs.
;
; Built by scripts/package:
;   makensis -DVERSION=1.2.3 -DCOPYRIGHT_YEAR=2026 -DBUNDLE=bundle.nsh -DOUTFILE=setup.exe vexatone.nsi
; where bundle.nsh holds the macros InstallBundle64 and InstallBundle32 (the
; files of each bundle into a folder, through PlaceFolder and PlaceFile),
; RemoveBundle (removes them) and BUNDLE_LONGEST, the length of the longest
; path in the bundle.
;
; Command line (besides /S for a silent run):
;   /VST64=FOLDER  /VST32=FOLDER  install that plug-in into FOLDER\Vexatone; when
;                                 either is given, only the plug-ins named are installed
;   /LOG=FILE                     write what the installer or uninstaller did to FILE
; A value with spaces is quoted, /VST64="C:\My Plugins", or the whole option is:
; "/VST64=C:\My Plugins".

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include x64.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include Sections.nsh
!include "${BUNDLE}"

!define PRODUCT "Vexatone"
!define COMPANY "Hollowbirch"
; Where the installer remembers its folders, and Windows' list of programs.
!define SETTINGS_KEY "Software\${COMPANY}\${PRODUCT}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "Uninstall ${PRODUCT}.exe"
; The local Users group by its well-known SID, whatever the system's language.
!define USERS_SID "*S-1-5-32-545"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${COMPANY}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${COPYRIGHT_YEAR} ${COMPANY}"

Var Dir64       ; the VST 2 folder chosen for each plug-in
Var Dir32
Var Given64     ; "1" when the command line named the folder
Var Given32
Var LogFile     ; the handle of the /LOG file, or ""
Var Failed      ; what could not be placed, or ""
Var Placed64    ; "1" when a failed run takes back that plug-in's files
Var Placed32
Var Earlier64   ; "1" when an earlier install is in the folder chosen
Var Earlier32
Var Made64      ; "1" when this run made the VST folder itself
Var Made32

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_WELCOMEPAGE_TEXT "This installs ${PRODUCT} ${VERSION}, the seven-band stereo parametric equalizer by ${COMPANY}, as a VST 2 effect for 64-bit and 32-bit hosts.$\r$\n$\r$\nClose your music software before you continue, so that it can load the new plug-in when it starts again."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS

!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipUnless64
!define MUI_PAGE_HEADER_TEXT "VST 2 folder of your 64-bit hosts"
!define MUI_PAGE_HEADER_SUBTEXT "Where your 64-bit music software looks for VST 2 plug-ins."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup puts the folder ${PRODUCT} (the 64-bit plug-in, its presets and skins) into this folder. Choose the folder your host scans for VST 2 plug-ins."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "64-bit VST 2 plug-in folder"
!define MUI_DIRECTORYPAGE_VARIABLE $Dir64
!insertmacro MUI_PAGE_DIRECTORY

!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipUnless32
!define MUI_PAGE_HEADER_TEXT "VST 2 folder of your 32-bit hosts"
!define MUI_PAGE_HEADER_SUBTEXT "Where your 32-bit music software looks for VST 2 plug-ins."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup puts the folder ${PRODUCT} (the 32-bit plug-in, its presets and skins) into this folder. Choose the folder your host scans for VST 2 plug-ins."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "32-bit VST 2 plug-in folder"
!define MUI_DIRECTORYPAGE_VARIABLE $Dir32
!insertmacro MUI_PAGE_DIRECTORY

!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} ${VERSION} is installed. Let your host scan its plug-in folders again to find it.$\r$\n$\r$\nThe user guide is the file $\"User guide.txt$\" in the ${PRODUCT} folder."
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; A line for the details list and, with /LOG, for the log file.
!macro Log TEXT
  DetailPrint "${TEXT}"
  ${If} $LogFile != ""
    FileWrite $LogFile "${TEXT}$\r$\n"
  ${EndIf}
!macroend

; The command line in $R0, with a quoted option "/NAME=VALUE" turned into
; /NAME="VALUE", the form GetOptions reads.
!macro ReadParameters
  ${GetParameters} $R0
  ${WordReplace} $R0 '"/VST64=' '/VST64="' "+" $R0
  ${WordReplace} $R0 '"/VST32=' '/VST32="' "+" $R0
  ${WordReplace} $R0 '"/LOG=' '/LOG="' "+" $R0
!macroend

; Opens the /LOG file, if the command line names one.
!macro OpenLog
  StrCpy $LogFile ""
  !insertmacro ReadParameters
  ClearErrors
  ${GetOptions} $R0 "/LOG=" $R1
  ${IfNot} ${Errors}
  ${AndIf} $R1 != ""
    FileOpen $LogFile $R1 w
  ${EndIf}
!macroend

; The folder without a trailing backslash, so that folders compare as equal.
!macro TrimFolder VAR
  ${DoWhile} $${VAR} != ""
    StrCpy $R9 $${VAR} 1 -1
    ${IfThen} $R9 != "\" ${|} ${Break} ${|}
    StrCpy $${VAR} $${VAR} -1
  ${Loop}
!macroend

; Removes what the installer placed in FOLDER\Vexatone; files of the user's
; (presets saved into the bank folder's User folder) stay, and so do their
; folders: an install over this one and an uninstall keep them.
!macro RemovePlugin FOLDER
  !insertmacro RemoveBundle "${FOLDER}\${PRODUCT}"
  !insertmacro Log "Removed ${PRODUCT} from ${FOLDER}"
!macroend

; Used by the bundle's macros: each folder and file of the bundle is placed
; until one fails; $Failed then names it.
!macro PlaceFolder FOLDER
  ${If} $Failed == ""
    ClearErrors
    SetOutPath "${FOLDER}"
    ${IfThen} ${Errors} ${|} StrCpy $Failed "${FOLDER}" ${|}
  ${EndIf}
!macroend
!macro PlaceFile SOURCE NAME
  ${If} $Failed == ""
    ClearErrors
    File "${SOURCE}"
    ${IfThen} ${Errors} ${|} StrCpy $Failed "$OUTDIR\${NAME}" ${|}
  ${EndIf}
!macroend

; Ends a run that could not place everything: says why, takes back what
; this run placed, and leaves no uninstaller or entry behind. A silent run
; exits with code 2.
!macro Fail TEXT
  !insertmacro Log "${TEXT}"
  MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
  Call TakeBack
  SetErrorLevel 2
  Abort
!macroend

; Readies FOLDER\Vexatone for one plug-in before anything is placed: FOLDER
; must be a full path, short enough for every file of the bundle, where
; Setup can make the folder and write.
!macro PrepareFolder BITS FOLDER
  StrCpy $R0 "${FOLDER}"
  Call ReasonAgainst
  ${If} $R1 == ""
    ; Takes back only what a failed run placed: an install that is there
    ; already keeps its files and its entry.
    ReadRegStr $R2 HKLM "${SETTINGS_KEY}" "VST${BITS}Dir"
    ${IfThen} $R2 != "${FOLDER}" ${|} StrCpy $Placed${BITS} 1 ${|}
    ${IfThen} $R2 == "${FOLDER}" ${|} StrCpy $Earlier${BITS} 1 ${|}
    ${IfNot} ${FileExists} "${FOLDER}\*.*"
      StrCpy $Made${BITS} 1
    ${EndIf}
    ${IfNot} ${FileExists} "${FOLDER}\${PRODUCT}\*.*"
      ClearErrors
      CreateDirectory "${FOLDER}\${PRODUCT}"
      ${If} ${Errors}
      ${OrIfNot} ${FileExists} "${FOLDER}\${PRODUCT}\*.*"
        StrCpy $R1 "cannot be created"
      ${EndIf}
    ${EndIf}
  ${EndIf}
  ${If} $R1 == ""
    ClearErrors
    FileOpen $R3 "${FOLDER}\${PRODUCT}\setup-probe.tmp" w
    ${If} ${Errors}
      StrCpy $R1 "cannot be written to"
    ${Else}
      FileClose $R3
      Delete "${FOLDER}\${PRODUCT}\setup-probe.tmp"
    ${EndIf}
  ${EndIf}
  ${If} $R1 != ""
    !insertmacro Fail "The ${BITS}-bit plug-in cannot be installed: $\"${FOLDER}\${PRODUCT}$\" $R1."
  ${EndIf}
!macroend

; Places one plug-in's bundle into FOLDER\Vexatone, granting nothing: each
; user's settings and presets live in the user's own folders. Over an
; earlier install, the Modify rights earlier versions gave the Users group
; are taken back (1.0.0's on the folder, the next one's on the settings file
; and the bank folder), on the paths themselves: a junction that a user
; made of the bank folder is removed, never followed.
!macro InstallPlugin BITS FOLDER
  StrCpy $Failed ""
  ${If} $Earlier${BITS} != ""
    StrCpy $R0 "${FOLDER}\${PRODUCT}\banks\default"
    Call RemoveJunction
    StrCpy $R0 "${FOLDER}\${PRODUCT}\banks"
    Call RemoveJunction
    StrCpy $R0 "${FOLDER}\${PRODUCT}"
    Call TakeBackGrant
    StrCpy $R0 "${FOLDER}\${PRODUCT}\${PRODUCT}.ini"
    Call TakeBackGrant
    StrCpy $R0 "${FOLDER}\${PRODUCT}\banks"
    Call TakeBackGrant
  ${EndIf}
  !insertmacro InstallBundle${BITS} "${FOLDER}\${PRODUCT}"
  ; Out of the bundle's last folder: a folder in use as the working folder
  ; of Setup or of the icacls it starts cannot be removed by a take-back.
  SetOutPath "$TEMP"
  ${If} $Failed != ""
    !insertmacro Fail "The ${BITS}-bit plug-in cannot be installed: $\"$Failed$\" cannot be written."
  ${EndIf}
  !insertmacro Log "Placed the ${BITS}-bit plug-in in ${FOLDER}\${PRODUCT}"
!macroend

; After the uninstaller is written: the copy of an earlier install in
; another folder goes (the host would find it twice), the rights earlier
; versions gave the Users group are taken back wherever that folder stays,
; and the folder is remembered.
!macro SettlePlugin BITS FOLDER
  ReadRegStr $R2 HKLM "${SETTINGS_KEY}" "VST${BITS}Dir"
  ${If} $R2 != ""
  ${AndIf} $R2 != "${FOLDER}"
    ; Its settings name that folder's banks: they go with it, as on uninstall.
    Delete "$R2\${PRODUCT}\${PRODUCT}.ini"
    !insertmacro RemovePlugin $R2
    ; What stays there (presets users saved) keeps no grant either.
    StrCpy $R0 "$R2\${PRODUCT}\banks"
    Call RemoveJunction
    StrCpy $R0 "$R2\${PRODUCT}"
    Call TakeBackGrant
    StrCpy $R0 "$R2\${PRODUCT}\banks"
    Call TakeBackGrant
  ${EndIf}
  WriteRegStr HKLM "${SETTINGS_KEY}" "VST${BITS}Dir" "${FOLDER}"
!macroend

Section "-Prepare"
  Call Prepare
SectionEnd

Section /o "64-bit plug-in" Sec64
  !insertmacro InstallPlugin 64 $Dir64
SectionEnd

Section /o "32-bit plug-in" Sec32
  !insertmacro InstallPlugin 32 $Dir32
SectionEnd

Section "-Uninstaller"
  ClearErrors
  CreateDirectory "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ${If} ${Errors}
    !insertmacro Fail "The uninstaller cannot be written to $\"$INSTDIR$\"."
  ${EndIf}
  ${If} ${SectionIsSelected} ${Sec64}
    !insertmacro SettlePlugin 64 $Dir64
  ${EndIf}
  ${If} ${SectionIsSelected} ${Sec32}
    !insertmacro SettlePlugin 32 $Dir32
  ${EndIf}
  WriteRegStr HKLM "${SETTINGS_KEY}" "Version" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${Sec64} $R0
  SectionGetSize ${Sec32} $R1
  IntOp $R0 $R0 + $R1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $R0
  !insertmacro Log "Uninstaller: $INSTDIR\${UNINSTALLER}"
  !insertmacro Log "Installed ${PRODUCT} ${VERSION}"
SectionEnd

; Readies the folder of each chosen plug-in before anything is placed.
Function Prepare
  ${If} ${SectionIsSelected} ${Sec64}
    !insertmacro PrepareFolder 64 $Dir64
  ${EndIf}
  ${If} ${SectionIsSelected} ${Sec32}
    !insertmacro PrepareFolder 32 $Dir32
  ${EndIf}
FunctionEnd

; Why the plug-in's folder cannot be $R0\Vexatone, in $R1: not a full path
; (a drive and a backslash, or \\server\share), or too long for the bundle's
; deepest file under Windows' limit of 259 characters. "" when it can.
Function ReasonAgainst
  StrCpy $R1 ""
  StrCpy $R2 $R0 2
  StrCpy $R3 $R0 1 1
  StrCpy $R4 $R0 1 2
  ${If} $R2 != "\\"
  ${AndIf} $R3 != ":"
    StrCpy $R1 "is not a full path with a drive"
  ${ElseIf} $R2 != "\\"
  ${AndIf} $R4 != "\"
  ${AndIf} $R4 != ""
    StrCpy $R1 "is not a full path with a drive"
  ${EndIf}
  ; The deepest file: "\Vexatone\" and the bundle's longest path.
  StrLen $R2 $R0
  IntOp $R3 259 - ${BUNDLE_LONGEST}
  IntOp $R3 $R3 - 10
  ${If} $R1 == ""
  ${AndIf} $R2 > $R3
    StrCpy $R1 "is too long ($R2 characters; the plug-in's files fit under a folder of up to $R3)"
  ${EndIf}
FunctionEnd

; Takes back the Users group's grant on the path in $R0, when it exists: on
; the path itself, a link not followed (/L). Logs the command and its exit
; code.
Function TakeBackGrant
  ${If} ${FileExists} "$R0"
    StrCpy $R3 '"$R0" /L /remove:g ${USERS_SID}'
    nsExec::ExecToStack '"$SYSDIR\icacls.exe" $R3'
    Pop $R1
    Pop $R2
    !insertmacro Log "icacls $R3: exit code $R1"
  ${EndIf}
FunctionEnd

; Removes the folder $R0 when it is a junction or another reparse point:
; the link alone goes, never what it points at.
Function RemoveJunction
  System::Call 'kernel32::GetFileAttributesW(w R0) i .R1'
  ${If} $R1 != -1
    IntOp $R1 $R1 & 0x400
    ${If} $R1 != 0
      System::Call 'kernel32::RemoveDirectoryW(w R0) i .R1'
      !insertmacro Log "Removed the link $R0 (removed: $R1)"
    ${EndIf}
  ${EndIf}
FunctionEnd

; Removes what a failed run placed where no install was before: the bundle's
; files and the folders it made, when they are empty.
Function TakeBack
  ${If} $Placed64 != ""
    !insertmacro Log "Taking back what was placed in $Dir64\${PRODUCT}"
    !insertmacro RemoveBundle "$Dir64\${PRODUCT}"
    RMDir "$Dir64\${PRODUCT}"
    ${IfThen} $Made64 != "" ${|} RMDir "$Dir64" ${|}
  ${EndIf}
  ${If} $Placed32 != ""
    !insertmacro Log "Taking back what was placed in $Dir32\${PRODUCT}"
    !insertmacro RemoveBundle "$Dir32\${PRODUCT}"
    RMDir "$Dir32\${PRODUCT}"
    ${IfThen} $Made32 != "" ${|} RMDir "$Dir32" ${|}
  ${EndIf}
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${Sec64} "The plug-in for 64-bit hosts (most hosts today)."
  !insertmacro MUI_DESCRIPTION_TEXT ${Sec32} "The plug-in for 32-bit hosts, or for a 32-bit plug-in bridge."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  !insertmacro OpenLog
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  StrCpy $INSTDIR "$PROGRAMFILES64\${COMPANY}\${PRODUCT}"

  ; The folders: the command line's, else the last install's, else the usual ones.
  !insertmacro ReadParameters
  StrCpy $R2 $R0
  StrCpy $Dir64 "$PROGRAMFILES64\VSTPlugins"
  StrCpy $Dir32 "$PROGRAMFILES32\VSTPlugins"
  ReadRegStr $R0 HKLM "${SETTINGS_KEY}" "VST64Dir"
  ReadRegStr $R1 HKLM "${SETTINGS_KEY}" "VST32Dir"
  ${IfThen} $R0 != "" ${|} StrCpy $Dir64 $R0 ${|}
  ${IfThen} $R1 != "" ${|} StrCpy $Dir32 $R1 ${|}
  ClearErrors
  ${GetOptions} $R2 "/VST64=" $R3
  ${If} ${Errors}
    StrCpy $Given64 ""
  ${Else}
    StrCpy $Given64 1
    StrCpy $Dir64 $R3
  ${EndIf}
  ClearErrors
  ${GetOptions} $R2 "/VST32=" $R3
  ${If} ${Errors}
    StrCpy $Given32 ""
  ${Else}
    StrCpy $Given32 1
    StrCpy $Dir32 $R3
  ${EndIf}
  !insertmacro TrimFolder Dir64
  !insertmacro TrimFolder Dir32

  ; The plug-ins: those the command line names, else those installed
  ; before, else the one that fits this Windows.
  ${If} $Given64$Given32 != ""
    StrCpy $R0 $Given64
    StrCpy $R1 $Given32
  ${ElseIf} $R0$R1 == ""
    ${If} ${RunningX64}
      StrCpy $R0 1
    ${Else}
      StrCpy $R1 1
    ${EndIf}
  ${EndIf}
  ${If} $R0 != ""
  ${AndIf} ${RunningX64}
    !insertmacro SelectSection ${Sec64}
  ${EndIf}
  ${IfThen} $R1 != "" ${|} !insertmacro SelectSection ${Sec32} ${|}
  ${IfNot} ${RunningX64}
    ; A 32-bit Windows runs no 64-bit host.
    !insertmacro SetSectionFlag ${Sec64} ${SF_RO}
    ${If} $Given64 != ""
      !insertmacro Log "The 64-bit plug-in needs 64-bit Windows; it is not installed."
    ${EndIf}
  ${EndIf}

  ${If} ${Silent}
    ${IfNot} ${SectionIsSelected} ${Sec64}
    ${AndIfNot} ${SectionIsSelected} ${Sec32}
      !insertmacro Log "Nothing to install."
      SetErrorLevel 2
      Abort
    ${EndIf}
    ${If} ${SectionIsSelected} ${Sec64}
    ${AndIf} $Dir64 == ""
      StrCpy $R3 1
    ${ElseIf} ${SectionIsSelected} ${Sec32}
    ${AndIf} $Dir32 == ""
      StrCpy $R3 1
    ${Else}
      StrCpy $R3 ""
    ${EndIf}
    ${If} $R3 != ""
      !insertmacro Log "An empty plug-in folder was given."
      SetErrorLevel 2
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd

Function .onSelChange
  ; At least one plug-in: the last one cannot be deselected.
  ${IfNot} ${SectionIsSelected} ${Sec64}
  ${AndIfNot} ${SectionIsSelected} ${Sec32}
    ${If} ${RunningX64}
      !insertmacro SelectSection ${Sec64}
    ${Else}
      !insertmacro SelectSection ${Sec32}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function SkipUnless64
  ${IfNot} ${SectionIsSelected} ${Sec64}
    Abort
  ${EndIf}
FunctionEnd

Function SkipUnless32
  ${IfNot} ${SectionIsSelected} ${Sec32}
    Abort
  ${EndIf}
FunctionEnd

Function .onInstSuccess
  ${IfThen} $LogFile != "" ${|} FileClose $LogFile ${|}
FunctionEnd

Function .onInstFailed
  ${IfThen} $LogFile != "" ${|} FileClose $LogFile ${|}
FunctionEnd

Section "Uninstall"
  ; The settings file that versions before this one kept beside the plug-in
  ; goes with it (each user's own settings are in the user's profile).
  ; Presets the user saved stay.
  ReadRegStr $Dir64 HKLM "${SETTINGS_KEY}" "VST64Dir"
  ReadRegStr $Dir32 HKLM "${SETTINGS_KEY}" "VST32Dir"
  ${If} $Dir64 != ""
    Delete "$Dir64\${PRODUCT}\${PRODUCT}.ini"
    !insertmacro RemovePlugin $Dir64
  ${EndIf}
  ${If} $Dir32 != ""
    Delete "$Dir32\${PRODUCT}\${PRODUCT}.ini"
    !insertmacro RemovePlugin $Dir32
  ${EndIf}
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "Software\${COMPANY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."
  !insertmacro Log "Uninstalled ${PRODUCT}"
  ${IfThen} $LogFile != "" ${|} FileClose $LogFile ${|}
SectionEnd

Function un.onInit
  !insertmacro OpenLog
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd
