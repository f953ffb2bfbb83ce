# Compiler settings every target of the project shares.

set(SORABELL_WARNINGS -Wall -Wextra -Wshadow -Wformat=2 -Wundef -Werror)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 reports std::string's operator+ as overlapping memcpy when optimising (GCC bug 105329).
    list(APPEND SORABELL_WARNINGS -Wno-restrict)
endif()
# Sources are UTF-8; every string the program handles is CP932 (Shift-JIS).
set(SORABELL_CHARSET -finput-charset=UTF-8 -fexec-charset=CP932)

function(sorabell_target target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE ${SORABELL_WARNINGS} ${SORABELL_CHARSET})
    if(SORABELL_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    if(WIN32)
        # Windows programs run without any mingw runtime DLL beside them.
        target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
        target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
    endif()
endfunction()
