target_link_libraries(bench_designer PRIVATE Qt6::Widgets)
