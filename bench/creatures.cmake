# Creature logic steps, the mass spawn and the particle update.
quarvel_add_benchmark(creatures_bench ${CMAKE_CURRENT_LIST_DIR}/creatures_bench.cpp)
