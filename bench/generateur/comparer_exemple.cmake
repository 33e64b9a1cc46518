# Regenerates the 300-sensor sample and compares it byte for byte with the
# committed one, so that a change of the generator cannot leave it stale.
# Its parameters are the ones given in examples/README.md.
execute_process(COMMAND ${GENERATEUR} 300 ${SORTIE} deploiement_300 8 2024
                RESULT_VARIABLE resultat OUTPUT_VARIABLE sortie)
if(NOT resultat EQUAL 0)
    message(FATAL_ERROR "generation refusee : ${sortie}")
endif()
foreach(fichier deploiement_300.txt deploiement_300_sol.txt deploiement_300.vga)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                            ${SORTIE}/${fichier} ${EXEMPLES}/${fichier}
                    RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${fichier} differe de celui que le generateur ecrit")
    endif()
endforeach()
