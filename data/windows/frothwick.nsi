; The Windows installer, built by makensis from the folder that goes into the zip.
; Per user and without administrator rights: the game goes into the user's own programs
; folder, %LOCALAPPDATA%\Programs\Frothwick, with a Start menu shortcut and an entry in
; Apps & features (HKCU) whose uninstaller removes exactly what was installed. The
; player's scores in %APPDATA%\FrothwickPro are theirs and stay.
; /S installs silently, /D=<folder> (last on the command line) installs elsewhere; the
; uninstaller takes /S too.
; Defined by the build (makensis -D): VERSION (1.2.3), VERSION4 (1.2.3.0), STAGE (the
; folder with the program and its files), ICON, OUTFILE, DESCRIPTION, PUBLISHER,
; COPYRIGHT.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Frothwick"
; Every file of the program, each handed to macro DO; the uninstaller removes these
; and nothing else.
!macro ForEachProgramFile DO
    !insertmacro ${DO} "frothwick.exe"
    !insertmacro ${DO} "burp.wav"
    !insertmacro ${DO} "siren.wav"
    !insertmacro ${DO} "index.html"
    !insertmacro ${DO} "README.txt"
!macroend
!macro InstallFile NAME
    File "${STAGE}/${NAME}"
!macroend
!macro RemoveFile NAME
    Delete "$INSTDIR\${NAME}"
!macroend

Name "Frothwick"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Frothwick"
; An earlier installation is installed over where it is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Frothwick ${VERSION}"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "Frothwick"
VIAddVersionKey /LANG=1033 "FileDescription" "Frothwick Setup"
VIAddVersionKey /LANG=1033 "Comments" "${DESCRIPTION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\frothwick.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Frothwick"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Frothwick"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    !insertmacro ForEachProgramFile InstallFile
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Frothwick.lnk" "$INSTDIR\frothwick.exe" "" \
        "$INSTDIR\frothwick.exe" 0 "" "" "${DESCRIPTION}"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Frothwick"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\frothwick.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0  ; KiB
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\Frothwick.lnk"
    !insertmacro ForEachProgramFile RemoveFile
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"  ; only when empty: whatever else the player keeps there stays
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
