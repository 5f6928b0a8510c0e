; The Windows setup program of the Kolibra 2 tool set, made by makensis from
; the MinGW build (packaging/windows/CMakeLists.txt passes the defines below).
; It installs the three programs for every user of the PC, adds their Start
; menu entries, the .ATX file type and the "Apps & features" entry, and writes
; an uninstaller that removes exactly those again. /S runs either silently.
;
; Defines: VERSION, VERSION_QUAD (the version as four numbers), PUBLISHER,
; BIN_DIR (the built .exe files, stripped), ICON_DIR (the .ico files), DOC_DIR
; (copyright), OUT_FILE (the setup program to write).

Unicode true
; A 64-bit installer: the programs are 64-bit, and it lands in the 64-bit
; Program Files and registry without redirection.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Kolibra 2 Tools"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kolibra2Tools"
!define PROG_ID "Kolibra2.Template"
!define TEMPLATE_TYPE_NAME "Kolibra 2 application template"
!define UNINSTALLER "uninstall.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\Kolibra 2"
; A later setup of the same tools finds the folder chosen the first time.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show
VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON_DIR}\kolibra-tgen.ico"
!define MUI_UNICON "${ICON_DIR}\kolibra-tgen.ico"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Every file the setup puts into the program folder. The uninstaller deletes
; these names and nothing else, so templates, data files and ini files a user
; keeps in the folder stay.
!macro InstalledFiles action
  !insertmacro ${action} "tgen.exe" "${BIN_DIR}\tgen.exe"
  !insertmacro ${action} "tgen.com" "${BIN_DIR}\tgen.com"
  !insertmacro ${action} "irfetch.exe" "${BIN_DIR}\irfetch.exe"
  !insertmacro ${action} "lkpsend.exe" "${BIN_DIR}\lkpsend.exe"
  !insertmacro ${action} "kolibra-tgen.ico" "${ICON_DIR}\kolibra-tgen.ico"
  !insertmacro ${action} "kolibra-irfetch.ico" "${ICON_DIR}\kolibra-irfetch.ico"
  !insertmacro ${action} "kolibra-lkpsend.ico" "${ICON_DIR}\kolibra-lkpsend.ico"
  !insertmacro ${action} "kolibra-template.ico" "${ICON_DIR}\application-x-kolibra-template.ico"
  !insertmacro ${action} "copyright.txt" "${DOC_DIR}\copyright"
!macroend
!macro InstallFile name source
  File "/oname=${name}" "${source}"
!macroend
!macro DeleteFile name source
  Delete "$INSTDIR\${name}"
!macroend

; The Start menu entries: shortcut name, program, icon.
!macro Shortcuts action
  !insertmacro ${action} "Kolibra 2 Application Generator" "tgen.exe" "kolibra-tgen.ico"
  !insertmacro ${action} "Read data via Serial IR" "irfetch.exe" "kolibra-irfetch.ico"
  !insertmacro ${action} "Download Lookup" "lkpsend.exe" "kolibra-lkpsend.ico"
!macroend
!macro CreateShortcut name program icon
  CreateShortcut "$SMPROGRAMS\${name}.lnk" "$INSTDIR\${program}" "" "$INSTDIR\${icon}" 0
!macroend
!macro DeleteShortcut name program icon
  Delete "$SMPROGRAMS\${name}.lnk"
!macroend

; Tells Explorer that file types changed, so .ATX files show their icon at once.
!macro NotifyFileTypesChanged
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

; The folder of an installation already there, if any.
Var PreviousDir

Function .onInit
  SetShellVarContext all
  SetRegView 64
  ReadRegStr $PreviousDir HKLM "${UNINSTALL_KEY}" "InstallLocation"
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Section "Programs" SecPrograms
  ; An installation already there goes first, through its own uninstaller,
  ; so no file of an older version and no copy in another folder stays
  ; behind. _?= runs it in place and makes ExecWait wait for it.
  ${If} $PreviousDir != ""
  ${AndIf} ${FileExists} "$PreviousDir\${UNINSTALLER}"
    DetailPrint "Removing the installation in $PreviousDir"
    ExecWait '"$PreviousDir\${UNINSTALLER}" /S _?=$PreviousDir'
    Delete "$PreviousDir\${UNINSTALLER}"
    RMDir "$PreviousDir"
  ${EndIf}

  SetOutPath "$INSTDIR"
  !insertmacro InstalledFiles InstallFile
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  !insertmacro Shortcuts CreateShortcut

  ; The template file type, for every user: a double click runs
  ; tgen.exe "C:\...\NAME.ATX".
  WriteRegStr HKLM "Software\Classes\.ATX" "" "${PROG_ID}"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}" "" "${TEMPLATE_TYPE_NAME}"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\DefaultIcon" "" "$INSTDIR\kolibra-template.ico,0"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\shell\open\command" "" '"$INSTDIR\tgen.exe" "%1"'
  !insertmacro NotifyFileTypesChanged

  ; The entry in "Apps & features" (and "Programs and Features").
  ; Its size in KiB: the files above (counted by makensis) and the uninstaller.
  SectionGetSize ${SecPrograms} $0
  FileOpen $1 "$INSTDIR\${UNINSTALLER}" r
  FileSeek $1 0 END $2
  FileClose $1
  IntOp $2 $2 / 1024
  IntOp $0 $0 + $2
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kolibra-tgen.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !insertmacro Shortcuts DeleteShortcut
  !insertmacro InstalledFiles DeleteFile
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: a folder that still holds a user's files stays.
  RMDir "$INSTDIR"

  ; The file type goes only while it is still ours: another program may have
  ; taken .ATX over since.
  ReadRegStr $0 HKLM "Software\Classes\.ATX" ""
  ${If} $0 == "${PROG_ID}"
    DeleteRegValue HKLM "Software\Classes\.ATX" ""
    DeleteRegKey /ifempty HKLM "Software\Classes\.ATX"
  ${EndIf}
  DeleteRegKey HKLM "Software\Classes\${PROG_ID}"
  !insertmacro NotifyFileTypesChanged

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
