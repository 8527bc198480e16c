# kelo-store's long commands: on a terminal one line redrawn in place with the percent and the
# rate; nothing on standard error when it is a file or a pipe; what was done printed at the end
# either way. Run by CTest as store.tool-progress with TOOL and DIR set.
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})

function(run expected)
  execute_process(COMMAND ${TOOL} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT err STREQUAL "" OR NOT out MATCHES "${expected}")
    message(FATAL_ERROR "kelo-store ${ARGN}: exit ${rc}\nstdout: ${out}\nstderr: ${err}")
  endif()
endfunction()

run("gerados 300 clientes, 20000 produtos, 600 itens em [0-9.]+ s"
    generate ${DIR}/a.kelo --clients 300 --products 20000 --items-per-client 2)
run("armazenamento íntegro: .*a.kelo \\(verificado em [0-9.e-]+ s\\)" check ${DIR}/a.kelo)
execute_process(COMMAND ${TOOL} export ${DIR}/a.kelo produtos OUTPUT_FILE ${DIR}/produtos.csv
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "export failed: ${rc}")
endif()
run("" create ${DIR}/b.kelo)
run("^20000 linha\\(s\\) importada\\(s\\) em produtos em [0-9.e-]+ s"
    import ${DIR}/b.kelo produtos ${DIR}/produtos.csv)

find_program(SCRIPT script)
if(NOT SCRIPT)
  message(STATUS "SKIPPED: no script(1) to give the tool a terminal")
  return()
endif()
execute_process(
  COMMAND ${SCRIPT} -qec "${TOOL} generate ${DIR}/c.kelo --clients 300 --products 20000 --items-per-client 2" /dev/null
  RESULT_VARIABLE rc OUTPUT_VARIABLE tty)
if(NOT rc EQUAL 0
   OR NOT tty MATCHES "\rprodutos: +[0-9]+% \\([0-9]+ de 20000, [0-9]+/s\\), [0-9]+ s"
   OR NOT tty MATCHES "\ríndices de nomes: 100% "
   OR NOT tty MATCHES "\r +\rgerados 300 clientes")
  message(FATAL_ERROR "on a terminal (exit ${rc}):\n${tty}")
endif()
