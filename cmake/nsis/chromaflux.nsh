; Chromaflux's own steps in the Windows installer and uninstaller, around CPack's (NSIS.template.in
; beside this file). cmake/install-windows.cmake inserts the macros through
; CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS, _EXTRA_INSTALL_COMMANDS, _EXTRA_UNINSTALL_COMMANDS and
; CPACK_NSIS_DELETE_ICONS_EXTRA.
;
; Windows looks for screen savers in its system folder, so chromaflux.scr goes there as well as
; into the program's folder. The folder must match the program's processor: a 64-bit .scr in the
; 64-bit System32, a 32-bit one in the 32-bit system folder (SysWOW64 on 64-bit Windows, where a
; 32-bit installer's $SYSDIR already leads). The 64-bit installer therefore switches file-system
; redirection off around it, and names the 64-bit registry view for the uninstall key.

; Before CPack's install commands, which write the uninstall key. A 64-bit installer sees the
; 64-bit view anyway; this says so where it matters, as ChromafluxUninstall does before CPack's
; deletions.
!macro ChromafluxBeforeInstall
  !if ${NSIS_PTR_SIZE} > 4
    SetRegView 64
  !endif
!macroend

; After them: the screen saver into the system folder. ${INST_DIR} is the tree that CPack staged.
!macro ChromafluxInstallSaver
  !if ${NSIS_PTR_SIZE} > 4
    ${DisableX64FSRedirection}
  !endif
  SetOutPath "$SYSDIR"
  File "${INST_DIR}/chromaflux.scr"
  !if ${NSIS_PTR_SIZE} > 4
    ${EnableX64FSRedirection}
  !endif
  SetOutPath "$INSTDIR"
!macroend

; Before CPack's uninstall commands, which delete the program's folder and the uninstall key: the
; screen saver in the system folder, and the settings that the screen saver keeps for the user
; (HKEY_CURRENT_USER\Software\Chromaflux: those of the user who runs the uninstaller).
!macro ChromafluxUninstall
  !if ${NSIS_PTR_SIZE} > 4
    SetRegView 64
    ${DisableX64FSRedirection}
  !endif
  Delete "$SYSDIR\chromaflux.scr"
  !if ${NSIS_PTR_SIZE} > 4
    ${EnableX64FSRedirection}
  !endif
  DeleteRegKey HKCU "Software\Chromaflux"
!macroend

; After CPack's uninstall commands have deleted the key "Software\VENDOR\Chromaflux" (where the
; installer keeps its folder and its Start-menu folder), its parent, which CPack leaves behind.
!macro ChromafluxForgetVendor vendor
  DeleteRegKey /ifempty SHCTX "Software\${vendor}"
!macroend
