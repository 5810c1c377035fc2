# Runs the include-layer check on small trees written here: a clean one passes, and each wrong
# include (a lower layer including a higher one, Qt outside ui/) fails naming its file.

cmake_minimum_required(VERSION 3.25)

set(_check ${ZBE_SOURCE_DIR}/cmake/CheckLayers.cmake)

# Writes a tree under WORK_DIR/<name> with the files given as "path=content" pairs.
function(write_tree name)
  file(REMOVE_RECURSE ${WORK_DIR}/${name})
  foreach(pair IN LISTS ARGN)
    string(FIND "${pair}" "=" eq)
    string(SUBSTRING "${pair}" 0 ${eq} path)
    math(EXPR from "${eq} + 1")
    string(SUBSTRING "${pair}" ${from} -1 content)
    file(WRITE ${WORK_DIR}/${name}/${path} "${content}\n")
  endforeach()
endfunction()

function(run_check name out_result out_output)
  execute_process(COMMAND ${CMAKE_COMMAND} -DZBE_SOURCE_DIR=${WORK_DIR}/${name} -P ${_check}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(${out_result} ${result} PARENT_SCOPE)
  set(${out_output} "${output}" PARENT_SCOPE)
endfunction()

function(expect_caught name file)
  run_check(${name} result output)
  if(result EQUAL 0 OR NOT output MATCHES "${file}")
    message(FATAL_ERROR "${name}: the wrong include of ${file} was not caught:\n${output}")
  endif()
endfunction()

set(_good
  "platform/Files.h=#include <string>"
  "records/Reader.cpp=#include \"records/Reader.h\"\n#include \"platform/Files.h\""
  "backup/Parser.cpp=#include \"records/Reader.h\""
  "export/Run.cpp=#include \"backup/Parser.h\"\n#include \"platform/Files.h\""
  "cli/main.cpp=#include \"export/Run.h\""
  "tools/crypto/Cipher.cpp=#include \"records/SqliteDatabase.h\""
  "ui/Window.cpp=#include <QWidget>\n#include \"ui/Window.h\""
  "app/Settings.h=#include \"ui/Window.h\""
  "export/windows/PrintWnd.cpp=#include \"app/Settings.h\"\n#include \"export/Run.h\"")
write_tree(clean ${_good})
run_check(clean result output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "a clean tree was refused:\n${output}")
endif()

write_tree(records_up ${_good} "records/Bad.cpp=#include \"backup/ResultCodes.h\"")
expect_caught(records_up "records/Bad.cpp")
write_tree(backup_up ${_good} "backup/Bad.h=  #  include \"export/ExportRun.h\"")
expect_caught(backup_up "backup/Bad.h")
write_tree(crypto_up ${_good} "tools/crypto/Bad.cpp=#include \"backup/CBackupParser.h\"")
expect_caught(crypto_up "tools/crypto/Bad.cpp")
# A folder inside a layer is a layer of its own: the core may not reach up into it.
write_tree(export_to_windows ${_good} "export/Bad.cpp=#include \"export/windows/PrintWnd.h\"")
expect_caught(export_to_windows "export/Bad.cpp")
write_tree(qt_in_core ${_good} "export/Bad.cpp=#include <QString>")
expect_caught(qt_in_core "export/Bad.cpp")

# And the repository itself keeps its layers.
execute_process(COMMAND ${CMAKE_COMMAND} -DZBE_SOURCE_DIR=${ZBE_SOURCE_DIR} -P ${_check}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the repository breaks its layers:\n${output}")
endif()
