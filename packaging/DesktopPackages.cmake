# The macOS and Windows packages: the installation made self-contained by Qt's deployment tool
# (Qt, and the libraries the programs and the FFmpeg probe module load: FFmpeg, and ICU on macOS),
# then a disk image (macOS) or a ZIP and an installer (Windows) made by CPack.
set(qt_bin "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
set(CPACK_PACKAGE_NAME Brisomel)
set(CPACK_PACKAGE_VENDOR "The Brisomel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turns a folder of voice lines into a video timeline")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/copyright)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)

if(APPLE)
  find_program(BRISOMEL_MACDEPLOYQT macdeployqt HINTS ${qt_bin} REQUIRED)
  # macdeployqt copies what the bundle's binaries link from outside the system into the bundle and
  # points them there; the converter and the module are named, as it finds only the main program.
  set(bundle "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/Brisomel.app")
  install(CODE "
    execute_process(COMMAND \"${BRISOMEL_MACDEPLOYQT}\" \"${bundle}\"
      \"-executable=${bundle}/Contents/MacOS/brisomel-cli\"
      \"-executable=${bundle}/Contents/PlugIns/brisomel/$<TARGET_FILE_NAME:brisomel_ffmpeg_probe>\"
      COMMAND_ERROR_IS_FATAL ANY)")
  set(CPACK_GENERATOR DragNDrop)
  set(CPACK_DMG_VOLUME_NAME Brisomel)
else()
  find_program(BRISOMEL_WINDEPLOYQT windeployqt HINTS ${qt_bin} REQUIRED)
  # FFmpeg's DLLs lie beside the programs and the module, which loads them from its own folder.
  set(BRISOMEL_FFMPEG_DLL_DIR "" CACHE PATH "Folder of the FFmpeg DLLs installed beside the programs")
  if(BRISOMEL_FFMPEG_DLL_DIR)
    install(DIRECTORY ${BRISOMEL_FFMPEG_DLL_DIR}/ DESTINATION ${BRISOMEL_INSTALL_BINDIR}
            FILES_MATCHING PATTERN "*.dll")
  endif()
  set(bin "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${BRISOMEL_INSTALL_BINDIR}")
  install(CODE "
    execute_process(COMMAND \"${BRISOMEL_WINDEPLOYQT}\" --release --no-compiler-runtime
      \"${bin}/brisomel.exe\" \"${bin}/brisomel-cli.exe\" COMMAND_ERROR_IS_FATAL ANY)")
  set(CPACK_GENERATOR ZIP NSIS)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Brisomel)
  set(CPACK_NSIS_DISPLAY_NAME Brisomel)
  set(CPACK_NSIS_MUI_FINISHPAGE_RUN brisomel.exe)
  set(CPACK_PACKAGE_EXECUTABLES brisomel Brisomel)
  # The Visual C++ runtime the programs need, installed with them.
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${BRISOMEL_INSTALL_BINDIR})
  include(InstallRequiredSystemLibraries)
endif()
include(CPack)
