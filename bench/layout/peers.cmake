target_link_libraries(bench_layout PRIVATE Qt6::Widgets)
# Qt's own form files are measured beside ours where Qt's form tools exist.
find_package(Qt6 QUIET COMPONENTS UiTools Designer)
if(Qt6UiTools_FOUND AND Qt6Designer_FOUND)
  target_link_libraries(bench_layout PRIVATE Qt6::UiTools Qt6::Designer)
  target_compile_definitions(bench_layout PRIVATE FD_BENCH_QT_FORMS)
endif()
