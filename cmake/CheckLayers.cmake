# Checks that every folder includes only the folders below it:
#   cmake -DZBE_SOURCE_DIR=<tree> [-DZBE_LAYERS_STAMP=<file>] -P cmake/CheckLayers.cmake
# Fails (naming every offending line) when a source includes a folder its layer may not use, or
# when a folder outside ui/ and app/ includes a Qt header. Touches ZBE_LAYERS_STAMP when the tree
# is clean, so that the build runs the check again only when a source changes.
#
# The layers, lowest first: platform, records, backup, export, then the programs over them. A
# folder inside another may be a layer of its own (export/windows/, tools/crypto/): its sources
# follow its own rule, and a header belongs to the deepest layer whose folder holds it.
# Folders not listed (tests/, bench/, fuzz/) may include anything.

cmake_minimum_required(VERSION 3.25)

if(NOT ZBE_SOURCE_DIR)
  message(FATAL_ERROR "CheckLayers: set ZBE_SOURCE_DIR to the source tree")
endif()

# Folder -> the folders its sources may include (its own among them).
set(_allowed_platform platform)
set(_allowed_records platform records)
set(_allowed_backup platform records backup)
set(_allowed_export platform records backup export)
set(_allowed_cli platform records backup export cli)
set(_allowed_ui ui)
set(_allowed_app platform records backup export ui app export/windows)
# The export and print windows: views of the export run over the toolkit and the application's
# base (settings, languages, message boxes); the application's pages open them.
set(_allowed_export/windows platform records backup export ui app export/windows)
set(_allowed_tools/crypto platform records tools/crypto)
# The decryption tool shares its output protocol with the decryption runner of backup/.
set(_allowed_tools/decrypt platform records backup tools/crypto tools/decrypt)
set(_allowed_tools/mkbackup platform records backup tools/crypto tools/mkbackup)
set(_layered platform records backup export export/windows cli ui app tools/crypto tools/decrypt
  tools/mkbackup)
set(_qt_allowed ui app)

# The layer of a path below the tree ("export/windows/CPrintWnd.h"): the deepest layered folder
# that holds it, or "" for none.
function(layer_of path out)
  set(_best "")
  foreach(candidate IN LISTS _layered)
    string(LENGTH "${candidate}" _length)
    string(LENGTH "${_best}" _best_length)
    if(path MATCHES "^${candidate}/" AND _length GREATER _best_length)
      set(_best "${candidate}")
    endif()
  endforeach()
  set(${out} "${_best}" PARENT_SCOPE)
endfunction()

set(_violations "")
foreach(folder IN LISTS _layered)
  file(GLOB_RECURSE _sources
    "${ZBE_SOURCE_DIR}/${folder}/*.h" "${ZBE_SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS _sources)
    file(RELATIVE_PATH _relative "${ZBE_SOURCE_DIR}" "${source}")
    layer_of("${_relative}" _own)
    if(NOT _own STREQUAL folder)
      continue()  # checked with the deeper layer that holds it
    endif()
    file(STRINGS "${source}" _includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS _includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
        set(_header "${CMAKE_MATCH_1}")
        # Headers are named from the repository root; a bare name is the folder's own (or a
        # generated one). A folder that is no layer (tests/, fuzz/) is never allowed.
        layer_of("${_header}" _target)
        if(_target STREQUAL "")
          if(NOT _header MATCHES "^([^/]+)/")
            continue()
          endif()
          set(_target "${CMAKE_MATCH_1}")
        endif()
        if(NOT _target IN_LIST _allowed_${folder})
          list(JOIN _allowed_${folder} "/, " _may)
          list(APPEND _violations
            "${_relative}: includes \"${_header}\" (${folder}/ may include only ${_may}/)")
        endif()
      elseif(line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]*(/[A-Za-z]+)?)>")
        if(NOT folder IN_LIST _qt_allowed)
          list(APPEND _violations "${_relative}: includes <${CMAKE_MATCH_1}> (only ui/ and app/ use Qt)")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(_violations)
  list(JOIN _violations "\n  " _text)
  message(FATAL_ERROR "Include layers broken:\n  ${_text}")
endif()
if(ZBE_LAYERS_STAMP)
  file(TOUCH "${ZBE_LAYERS_STAMP}")
endif()
