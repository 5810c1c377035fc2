# Packs skin folders into a zip archive at build time and compiles the archive into a target.
#
#   zbe_embed_skin(<target> SYMBOL <function> DIRS <folder>...)
#
# The folders are merged in order (a later folder's file replaces an earlier one of the same
# name) and zipped with names relative to the folder, e.g. "xml/skin.xml", "Controls.png".
# The target gets a generated source defining
#   std::span<const unsigned char> zbe::<function>();
# which returns the archive's bytes (hand them to UIApplication::SetResourceZip).
#
# Run with -P, this same file does the packing (see the add_custom_command below).

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED ZBE_SKIN_SYMBOL)
  string(REPLACE "|" ";" dirs "${ZBE_SKIN_DIRS}")
  set(stage "${ZBE_SKIN_OUT}/stage")
  file(REMOVE_RECURSE "${stage}")
  file(MAKE_DIRECTORY "${stage}")
  foreach(dir IN LISTS dirs)
    file(COPY "${dir}/" DESTINATION "${stage}")
  endforeach()
  file(GLOB_RECURSE files RELATIVE "${stage}" "${stage}/*")
  list(SORT files)
  set(zip "${ZBE_SKIN_OUT}/skin.zip")
  file(REMOVE "${zip}")
  # A fixed time stamp keeps the archive, and so the program, the same from build to build.
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E tar cf "${zip}" --format=zip --mtime=2020-01-01 -- ${files}
    WORKING_DIRECTORY "${stage}"
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT EXISTS "${zip}")
    message(FATAL_ERROR "zbe_embed_skin: cannot pack ${ZBE_SKIN_DIRS}")
  endif()
  file(READ "${zip}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
         "\\1\n" bytes "${bytes}")
  file(WRITE "${ZBE_SKIN_OUT}/${ZBE_SKIN_SYMBOL}.cpp.new"
"// Generated at build time from the skin folders; do not edit.
#include <cstddef>
#include <span>

namespace zbe {
namespace {

alignas(16) const unsigned char kArchive[] = {
${bytes}
};

}  // namespace

std::span<const unsigned char> ${ZBE_SKIN_SYMBOL}() { return {kArchive, sizeof(kArchive)}; }

}  // namespace zbe
")
  file(COPY_FILE "${ZBE_SKIN_OUT}/${ZBE_SKIN_SYMBOL}.cpp.new" "${ZBE_SKIN_OUT}/${ZBE_SKIN_SYMBOL}.cpp"
       ONLY_IF_DIFFERENT)
  return()
endif()

function(zbe_embed_skin target)
  cmake_parse_arguments(S "" "SYMBOL" "DIRS" ${ARGN})
  if(NOT S_SYMBOL OR NOT S_DIRS)
    message(FATAL_ERROR "zbe_embed_skin(${target}) needs SYMBOL and DIRS")
  endif()
  set(inputs)
  foreach(dir IN LISTS S_DIRS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS "${dir}/*")
    list(APPEND inputs ${found})
  endforeach()
  set(script "${CMAKE_CURRENT_FUNCTION_LIST_FILE}")
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${S_SYMBOL}")
  string(REPLACE ";" "|" dirs_arg "${S_DIRS}")
  add_custom_command(
    OUTPUT "${out}/${S_SYMBOL}.cpp"
    COMMAND "${CMAKE_COMMAND}" "-DZBE_SKIN_SYMBOL=${S_SYMBOL}" "-DZBE_SKIN_DIRS=${dirs_arg}"
            "-DZBE_SKIN_OUT=${out}" -P "${script}"
    DEPENDS ${inputs} "${script}"
    COMMENT "Packing the skin of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}/${S_SYMBOL}.cpp")
endfunction()
