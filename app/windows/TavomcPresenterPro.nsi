; The installer of the Windows program, made by makensis from an installation folder:
;   makensis -DDIST=<dist> -DOUTFILE=<setup.exe> -DVERSION=<x.y.z> [-DWIN64] TavomcPresenterPro.nsi
; Installs under Program Files with a Start-menu and a desktop shortcut and an uninstaller entry.
; The teachers' data under ProgramData is the program's, never the installer's: it stays.
!ifdef WIN64
    Target amd64-unicode
!else
    Unicode true
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define PRODUCT "TavomcPresenterPro"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
!ifdef WIN64
    InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
    InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
Icon "${DIST}\${PRODUCT}.ico"
UninstallIcon "${DIST}\${PRODUCT}.ico"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
!ifdef WIN64
    SetRegView 64
!endif
FunctionEnd

Function un.onInit
!ifdef WIN64
    SetRegView 64
!endif
FunctionEnd

Section "Program"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${DIST}\*.*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    ; Shortcuts start the program in its own folder, where it finds its icon.
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" "$INSTDIR\${PRODUCT}.ico"
    CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" "$INSTDIR\${PRODUCT}.ico"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PRODUCT}.ico"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$DESKTOP\${PRODUCT}.lnk"
    RMDir /r "$SMPROGRAMS\${PRODUCT}"
    RMDir /r "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
