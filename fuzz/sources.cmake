# The fuzz target and the portable sources it runs, shared by the two ways
# it is built (see CMakeLists.txt). ZARVO_ROOT is the repository.
set(FUZZ_SOURCES
  ${ZARVO_ROOT}/fuzz/fuzz_marlock.cpp
  ${ZARVO_ROOT}/common/numvalue.cpp
  ${ZARVO_ROOT}/marlock/launcher/ftp_link.cpp
  ${ZARVO_ROOT}/marlock/launcher/login.cpp
  ${ZARVO_ROOT}/marlock/launcher/plan_launch.cpp
  ${ZARVO_ROOT}/marlock/launcher/command_line_clients.cpp
  ${ZARVO_ROOT}/marlock/launcher/scripted_routes.cpp
  ${ZARVO_ROOT}/marlock/launcher/cuteftp_xp_route.cpp
  ${ZARVO_ROOT}/marlock/launcher/cuteftp_pro_route.cpp
  ${ZARVO_ROOT}/marlock/launcher/keystroke_routes.cpp
  ${ZARVO_ROOT}/marlock/launcher/browser_routes.cpp
  ${ZARVO_ROOT}/marlock/settings/client_table.cpp
  ${ZARVO_ROOT}/marlock/sitestore/scramble.cpp
  ${ZARVO_ROOT}/marlock/sitestore/site_file.cpp)
set(FUZZ_INCLUDES ${ZARVO_ROOT}/common ${ZARVO_ROOT}/marlock)
set(FUZZ_FLAGS -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
               -fno-omit-frame-pointer)

function(zarvo_fuzz_target name)
  add_executable(${name} ${FUZZ_SOURCES})
  target_include_directories(${name} PRIVATE ${FUZZ_INCLUDES})
  target_compile_features(${name} PRIVATE cxx_std_17)
  target_compile_options(${name} PRIVATE ${FUZZ_FLAGS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
endfunction()
