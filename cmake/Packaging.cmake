# What a Windows user downloads. The install rules stage one folder that
# holds everything horalet.exe looks for beside it; CPack zips that folder
# (`cpack -G ZIP`), and the target horalet_installer wraps the same folder in
# an NSIS installer (packaging/horalet.nsi).
#
# The zip unpacks to one top folder, HORALET_PACKAGE_FOLDER, named
# without the platform so that the path a user sees stays short; the archive
# itself carries the platform: HORALET_PACKAGE_ZIP.
if(NOT WIN32 OR NOT TARGET horalet)
  return()
endif()

set(HORALET_PACKAGE_FOLDER "Horalet-${PROJECT_VERSION}")
set(HORALET_PACKAGE_ZIP "Horalet-${PROJECT_VERSION}-win64.zip")
set(HORALET_INSTALLER "${PROJECT_BINARY_DIR}/Horalet-${PROJECT_VERSION}-setup.exe")
# Packaging needs horalet.exe and its manual only; without this, cpack would
# first build every test program.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS horalet RUNTIME DESTINATION .)
if(TARGET horalet_manual)
  install(FILES "$<TARGET_PROPERTY:horalet_manual,HORALET_HELP_FILE>" DESTINATION .)
else()
  message(WARNING "chmcmd is missing: a release built here would lack Horalet.chm")
endif()
# The program offers ".\wave files\reminder.wav" as a new timer's sound.
install(FILES "${PROJECT_SOURCE_DIR}/res/wave/reminder.wav" DESTINATION "wave files")

# Notepad before Windows 10 shows a text with bare LF endings as one line.
set(_horalet_texts "${PROJECT_BINARY_DIR}/packaging")
configure_file("${PROJECT_SOURCE_DIR}/packaging/README.txt" "${_horalet_texts}/README.txt" @ONLY NEWLINE_STYLE CRLF)
configure_file("${PROJECT_SOURCE_DIR}/LICENSE" "${_horalet_texts}/LICENSE.txt" @ONLY NEWLINE_STYLE CRLF)
configure_file("${PROJECT_SOURCE_DIR}/res/fonts/DSEG-LICENSE.txt" "${_horalet_texts}/DSEG-LICENSE.txt" @ONLY NEWLINE_STYLE CRLF)
install(FILES
  "${_horalet_texts}/README.txt"
  "${_horalet_texts}/LICENSE.txt"
  "${_horalet_texts}/DSEG-LICENSE.txt"
  DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Horalet)
set(CPACK_PACKAGE_VENDOR "the Horalet developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A list of timers that all run at once")
# The archive generator would name its top folder after the archive; the
# folder comes from the packaging prefix instead.
string(REGEX REPLACE "\\.zip$" "" CPACK_PACKAGE_FILE_NAME "${HORALET_PACKAGE_ZIP}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX "/${HORALET_PACKAGE_FOLDER}")
set(CPACK_SOURCE_GENERATOR "")
include(CPack)

# The installer comes from a plain script rather than CPack's NSIS generator.
# Two things matter here that the generator's template leaves to hooks and
# injected text: a 64-bit installer (the template makes a 32-bit one, which a
# 64-bit-only Wine cannot even start) and a Start menu shortcut that starts
# the program in a writable folder of the user's (packaging/horalet.nsi).
find_program(HORALET_MAKENSIS makensis DOC "NSIS compiler for the installer")
if(HORALET_MAKENSIS)
  set(_horalet_stage "${PROJECT_BINARY_DIR}/installer-stage")
  add_custom_target(horalet_installer
    COMMAND "${CMAKE_COMMAND}" -E rm -rf "${_horalet_stage}"
    COMMAND "${CMAKE_COMMAND}" --install "${PROJECT_BINARY_DIR}" --prefix "${_horalet_stage}"
    COMMAND "${HORALET_MAKENSIS}" -V2 -INPUTCHARSET UTF8
            "-DVERSION=${PROJECT_VERSION}" "-DSTAGE=${_horalet_stage}" "-DOUTFILE=${HORALET_INSTALLER}"
            "-DICON=${PROJECT_SOURCE_DIR}/res/icons/app.ico"
            "${PROJECT_SOURCE_DIR}/packaging/horalet.nsi"
    BYPRODUCTS "${HORALET_INSTALLER}"
    COMMENT "Building the installer ${HORALET_INSTALLER}"
    VERBATIM)
  add_dependencies(horalet_installer horalet)
  if(TARGET horalet_manual)
    add_dependencies(horalet_installer horalet_manual)
  endif()
endif()
