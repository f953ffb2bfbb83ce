# Runs the asset tool into OUTPUT and compares what it wrote with the files under APPS.
execute_process(COMMAND ${TOOL} --default-bmp ${OUTPUT}/Default.Bmp --hand-cursor ${OUTPUT}/HandPoint.cur
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "sorabell-assets failed: ${result}")
endif()
foreach(pair "Default.Bmp;Default.Bmp" "HandPoint.cur;Sorabell_Preferences/HandPoint.cur")
    list(GET pair 0 made)
    list(GET pair 1 shipped)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT}/${made} ${APPS}/${shipped}
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        message(FATAL_ERROR "${made} differs from apps/${shipped}")
    endif()
endforeach()
