# Model import against the model cache, and model drawing (static and skinned).
quarvel_add_benchmark(render_bench ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp)
target_compile_definitions(render_bench PRIVATE QUARVEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
