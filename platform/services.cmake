# The Windows side of the system services: spooler, files, registry and the
# text conversions at their boundary. Included from platform/CMakeLists.txt.
add_library(platform_services STATIC
  ${CMAKE_CURRENT_LIST_DIR}/text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win_services.cpp
)
target_include_directories(platform_services PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(platform_services PUBLIC core winspool_delay advapi32)
