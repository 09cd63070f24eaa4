# The libraries found on the system, alike on every system the project builds on, and where an
# installation puts the programs and the FFmpeg probe module.

find_package(Qt6 6.2 REQUIRED COMPONENTS Core Gui Widgets Concurrent Multimedia Test)

# FFmpeg through pkg-config where there is one (Debian, Homebrew); else the headers and import
# libraries of a release archive found along CMAKE_PREFIX_PATH (Windows). Either way the target is
# PkgConfig::FFMPEG.
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(FFMPEG IMPORTED_TARGET libavformat libavcodec libavutil)
endif()
if(TARGET PkgConfig::FFMPEG)
  string(REGEX MATCH "^[0-9]+" BRISOMEL_AVFORMAT_MAJOR "${FFMPEG_libavformat_VERSION}")
else()
  find_path(FFMPEG_INCLUDE_DIR libavformat/avformat.h REQUIRED)
  add_library(PkgConfig::FFMPEG INTERFACE IMPORTED)
  target_include_directories(PkgConfig::FFMPEG INTERFACE ${FFMPEG_INCLUDE_DIR})
  foreach(library avformat avcodec avutil)
    find_library(FFMPEG_${library}_LIBRARY ${library} REQUIRED)
    target_link_libraries(PkgConfig::FFMPEG INTERFACE ${FFMPEG_${library}_LIBRARY})
  endforeach()
  file(STRINGS ${FFMPEG_INCLUDE_DIR}/libavformat/version_major.h major_line
       REGEX "#define LIBAVFORMAT_VERSION_MAJOR")
  string(REGEX MATCH "[0-9]+" BRISOMEL_AVFORMAT_MAJOR "${major_line}")
endif()

# libebur128, the reference the loudness meter's tests check it against (the programs do not
# use it): through pkg-config where there is one (Debian, Homebrew), else its header and import
# library along CMAKE_PREFIX_PATH (vcpkg on Windows). Either way the target is PkgConfig::EBUR128.
if(BRISOMEL_BUILD_TESTS)
  if(PKG_CONFIG_FOUND)
    pkg_check_modules(EBUR128 IMPORTED_TARGET libebur128)
  endif()
  if(NOT TARGET PkgConfig::EBUR128)
    find_path(EBUR128_INCLUDE_DIR ebur128.h REQUIRED)
    find_library(EBUR128_LIBRARY ebur128 REQUIRED)
    add_library(PkgConfig::EBUR128 INTERFACE IMPORTED)
    target_include_directories(PkgConfig::EBUR128 INTERFACE ${EBUR128_INCLUDE_DIR})
    target_link_libraries(PkgConfig::EBUR128 INTERFACE ${EBUR128_LIBRARY})
  endif()
endif()

# ICU, through its C API: Windows 10 1903 and later ship it as icu.dll, linked through the SDK's
# icu.lib (header <icu.h>); elsewhere the system's (Debian) or Homebrew's icu4c (macOS, bundled
# into the application, as macOS keeps its own ICU private).
if(WIN32)
  foreach(component uc data)
    add_library(ICU::${component} INTERFACE IMPORTED)
  endforeach()
  target_link_libraries(ICU::uc INTERFACE icu)
else()
  find_package(ICU REQUIRED COMPONENTS uc data)
endif()

# Where an installation puts the programs and the probe module: the system's folders on Linux;
# inside the application bundle on macOS (Brisomel.app/Contents/MacOS and Contents/PlugIns);
# one folder on Windows, beside FFmpeg's and Qt's DLLs.
include(GNUInstallDirs)
if(APPLE)
  set(BRISOMEL_INSTALL_BINDIR Brisomel.app/Contents/MacOS)
  set(BRISOMEL_PROBE_MODULE_DIR Brisomel.app/Contents/PlugIns/brisomel)
elseif(WIN32)
  set(BRISOMEL_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
  set(BRISOMEL_PROBE_MODULE_DIR ${CMAKE_INSTALL_BINDIR})
else()
  set(BRISOMEL_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
  # On a multiarch system (Debian, Ubuntu) under the architecture's library folder, where the
  # system keeps its plugins. Being in no folder directly under /usr/lib, it gets no ldconfig
  # calls in the Debian package (CPack adds them for those), so removing the package leaves no
  # maintainer script behind.
  if(CMAKE_LIBRARY_ARCHITECTURE)
    set(BRISOMEL_PROBE_MODULE_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/brisomel)
  else()
    set(BRISOMEL_PROBE_MODULE_DIR ${CMAKE_INSTALL_LIBDIR}/brisomel)
  endif()
endif()
