# The user manual, Horalet.chm, compiled from the HTML pages in docs/help.
#
#   horalet_add_help_file(<target> <output-dir>)
#
# Adds the target <target> (part of the default build) that writes
# <output-dir>/Horalet.chm; a relative <output-dir> is taken from the current
# binary folder. The program looks for the manual in its current folder, so
# <output-dir> is normally the folder that holds horalet.exe.
#
# chmcmd (Free Pascal's CHM compiler, Debian package fp-utils) does the work.
# Without it the function only says so: the program runs fine without its
# manual, and a missing help compiler must not stop a build.

# Taken when the file is included: inside the function CMAKE_CURRENT_LIST_DIR
# names the caller's folder.
set(_HORALET_HELP_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/../docs/help")

function(horalet_add_help_file TARGET_NAME OUTPUT_DIR)
  find_program(HORALET_CHMCMD chmcmd DOC "CHM compiler for the user manual")
  if(NOT HORALET_CHMCMD)
    message(STATUS "chmcmd not found: Horalet.chm (the user manual) will not be built")
    return()
  endif()

  get_filename_component(help_src "${_HORALET_HELP_SOURCE_DIR}" ABSOLUTE)
  get_filename_component(out_dir "${OUTPUT_DIR}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  set(stage "${CMAKE_CURRENT_BINARY_DIR}/${TARGET_NAME}-pages")
  set(chm "${out_dir}/Horalet.chm")

  file(GLOB_RECURSE help_files CONFIGURE_DEPENDS "${help_src}/*")
  # A manual compiled by hand inside docs/help is not a source of this one.
  list(FILTER help_files EXCLUDE REGEX "\\.[cC][hH][mM]$")

  # chmcmd writes next to the project file and takes the pages' paths as they
  # are listed, so it runs on a fresh copy: nothing is written into the
  # source tree, and a page deleted from docs/help does not linger.
  add_custom_command(
    OUTPUT "${chm}"
    COMMAND "${CMAKE_COMMAND}" -E remove_directory "${stage}"
    COMMAND "${CMAKE_COMMAND}" -E copy_directory "${help_src}" "${stage}"
    COMMAND "${CMAKE_COMMAND}" -E remove -f "${stage}/Horalet.chm"
    COMMAND "${CMAKE_COMMAND}" -E chdir "${stage}" "${HORALET_CHMCMD}" horalet.hhp
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${out_dir}"
    COMMAND "${CMAKE_COMMAND}" -E copy "${stage}/Horalet.chm" "${chm}"
    DEPENDS ${help_files}
    COMMENT "Compiling the user manual Horalet.chm"
    VERBATIM)
  add_custom_target(${TARGET_NAME} ALL DEPENDS "${chm}")
  # The manual's path, for the install rules.
  set_property(TARGET ${TARGET_NAME} PROPERTY HORALET_HELP_FILE "${chm}")
endfunction()
