# A served table whose sidecar never answers gives up after 30 s with exit
# status 1 and says why. Nothing listens on port 1 of localhost.
#   cmake -DPROGRAM=<zigzop> -P absentsidecar.cmake
string(TIMESTAMP started "%s")
execute_process(COMMAND ${CMAKE_COMMAND} -E env AGONES_SDK_HTTP_PORT=1 ${PROGRAM} --serve --port 0
    TIMEOUT 60 RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
string(TIMESTAMP ended "%s")
math(EXPR seconds "${ended} - ${started}")
if(NOT status EQUAL 1 OR NOT errors MATCHES "could not be reached for 30 s" OR seconds LESS 29 OR seconds GREATER 45)
    message(FATAL_ERROR "exit ${status} after ${seconds} s:\n${errors}")
endif()
message(STATUS "exit 1 after ${seconds} s")
