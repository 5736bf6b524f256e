target_link_libraries(bench_inspector PRIVATE Qt6::Widgets)
