# SPDX-License-Identifier: EUPL-1.2
# Compiles a help project with chmcmd on a fresh copy of its sources and
# fails on any error or warning, or on an empty result: chmcmd may report a
# missing page, crash and still leave a file behind.
# The contents and index lists are kept in UTF-8 and compiled in windows-1252:
# the help compiler stores them as they are, and viewers read them in the
# code page of the project's language (0x0C0A), numeric references literally.
#   cmake -DCHMCMD=... -DORIGEN=dir -DTRABAJO=dir -DPROYECTO=x.hhp -DDESTINO=file -P compilar_chm.cmake

foreach(variable CHMCMD ORIGEN TRABAJO PROYECTO DESTINO)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "compilar_chm.cmake: falta ${variable}")
  endif()
endforeach()

file(REMOVE_RECURSE ${TRABAJO})
file(COPY ${ORIGEN}/ DESTINATION ${TRABAJO})
file(GLOB listas ${TRABAJO}/*.hhc ${TRABAJO}/*.hhk)
foreach(lista ${listas})
  execute_process(COMMAND iconv -f UTF-8 -t WINDOWS-1252 ${lista}
    OUTPUT_FILE ${lista}.1252 RESULT_VARIABLE resultado ERROR_VARIABLE error)
  if(NOT resultado EQUAL 0)
    message(FATAL_ERROR "${lista} no se puede pasar a windows-1252: ${error}")
  endif()
  file(RENAME ${lista}.1252 ${lista})
endforeach()

execute_process(COMMAND ${CHMCMD} ${PROYECTO}
  WORKING_DIRECTORY ${TRABAJO}
  RESULT_VARIABLE resultado
  OUTPUT_VARIABLE salida
  ERROR_VARIABLE salida)

string(REGEX MATCHALL "[^\n]*(Error|Warning)[^\n]*" avisos "${salida}")
get_filename_component(nombre_chm ${PROYECTO} NAME_WE)
set(resultado_chm ${TRABAJO}/${nombre_chm}.chm)
set(tamano 0)
if(EXISTS ${resultado_chm})
  file(SIZE ${resultado_chm} tamano)
endif()
if(NOT resultado EQUAL 0 OR avisos OR tamano EQUAL 0)
  message(FATAL_ERROR "chmcmd ${PROYECTO} (estado ${resultado}):\n${salida}")
endif()

get_filename_component(destino_dir ${DESTINO} DIRECTORY)
file(MAKE_DIRECTORY ${destino_dir})
file(COPY_FILE ${resultado_chm} ${DESTINO})
