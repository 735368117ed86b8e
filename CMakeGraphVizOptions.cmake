# SPDX-License-Identifier: MIT
# What `cmake --graphviz` draws (docs/targets.svg): the project's own
# libraries and programs, without the tests, benchmarks and outside libraries.
set(GRAPHVIZ_GRAPH_NAME "Dealwise")
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_CUSTOM_TARGETS FALSE)
set(GRAPHVIZ_INTERFACE_LIBS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "_test|_tests|bench|probe|bare_window|make_icons|warnings|layering|random_hands|resources|gtest|gmock|Qt6")
