target_link_libraries(bench_workspace PRIVATE Qt6::Widgets)
