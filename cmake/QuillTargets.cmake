# Helpers shared by the folders' CMakeLists.

# quill_sources(VAR DIR...): the .cpp files of the given folders, re-globbed on
# every build so that a new file needs no edit here.
function(quill_sources var)
  set(files)
  foreach(dir ${ARGN})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  set(${var} ${files} PARENT_SCOPE)
endfunction()

# quill_code(TARGET): our own code: strict warnings, the include root.
function(quill_code target)
  target_compile_options(${target} PRIVATE ${QUILL_WARNINGS})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/platform ${PROJECT_SOURCE_DIR})
  if(NOT QUILL_NATIVE)
    target_compile_definitions(${target} PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
    target_link_options(${target} PRIVATE -static-libgcc -static-libstdc++ -static)
  endif()
endfunction()

# quill_dll(TARGET NAME): a DLL called NAME (with its extension) in the output folder.
function(quill_dll target name)
  get_filename_component(base ${name} NAME_WE)
  get_filename_component(ext ${name} LAST_EXT)
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${base} SUFFIX ${ext})
  # Export our own symbols only, never those of the static runtime libraries.
  target_link_options(${target} PRIVATE -Wl,--exclude-libs,libwinpthread.a:libpthread.a:libstdc++.a:libgcc.a:libgcc_eh.a:libssp.a:libmingwex.a)
endfunction()
