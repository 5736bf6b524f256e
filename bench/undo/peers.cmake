target_link_libraries(bench_undo PRIVATE Qt6::Widgets)
