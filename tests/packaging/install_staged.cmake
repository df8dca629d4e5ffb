# Installs the build into STAGE (DESTDIR, prefix /usr), checks the files are where a package
# puts them and runs the installed mirovale-cli.
file(REMOVE_RECURSE ${STAGE})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr
  RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status}):\n${log}")
endif()

set(expected usr/bin/mirovale-cli usr/share/man/man1/mirovale-cli.1)
if(WINDOW)
  list(APPEND expected usr/bin/mirovale usr/share/man/man1/mirovale.1
       usr/share/applications/org.mirovale.Mirovale.desktop
       usr/share/icons/hicolor/scalable/apps/org.mirovale.Mirovale.svg
       usr/share/metainfo/org.mirovale.Mirovale.metainfo.xml)
endif()
foreach(file ${expected})
  if(NOT EXISTS ${STAGE}/${file})
    message(FATAL_ERROR "the installation lacks ${file}:\n${log}")
  endif()
endforeach()

execute_process(COMMAND ${STAGE}/usr/bin/mirovale-cli demo
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "Alphabet: 20 etalons")
  message(FATAL_ERROR "the installed mirovale-cli demo failed (${status}):\n${out}\n${err}")
endif()
execute_process(COMMAND ${STAGE}/usr/bin/mirovale-cli --version OUTPUT_VARIABLE out)
if(NOT out MATCHES "^mirovale-cli [0-9]")
  message(FATAL_ERROR "the installed mirovale-cli --version printed: ${out}")
endif()
