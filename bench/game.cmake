# The whole game: start-up, frame and logic times with crowds of beetles, the model cache's gain, memory.
quarvel_add_benchmark(game_bench ${CMAKE_CURRENT_LIST_DIR}/game_bench.cpp)
