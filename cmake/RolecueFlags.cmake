# Compiler settings shared by every target of the project.
# Sources are UTF-8, and so is every narrow string literal: the program works
# in UTF-8 at run time (the manifest's active code page).
if(MSVC)
  add_compile_options(/W4 /utf-8)
  add_compile_definitions(_CRT_SECURE_NO_WARNINGS)
else()
  add_compile_options(-Wall -Wextra -finput-charset=UTF-8 -fexec-charset=UTF-8)
endif()

if(WIN32)
  # Narrow ("A") Win32 API throughout; never define UNICODE.
  add_compile_definitions(NOMINMAX STRICT _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
  if(MINGW)
    add_link_options(-static -static-libgcc -static-libstdc++)
  endif()
endif()

include_directories(${PROJECT_SOURCE_DIR})

# rolecue_library(name sources... [DEPS lib...]): a static library, or an
# interface library while the folder has no sources yet.
function(rolecue_library name)
  cmake_parse_arguments(L "" "" "DEPS" ${ARGN})
  if(L_UNPARSED_ARGUMENTS)
    add_library(${name} STATIC ${L_UNPARSED_ARGUMENTS})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${L_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${L_DEPS})
  endif()
endfunction()
