target_sources(image_tests PRIVATE web/Pipe.cpp)
# The browser decodes PNG, JPEG, GIF and BMP here, and the test host preloads what it
# shows for its own pictures: comparing those pixels with their source, or the PNG suite
# with its BMP twins, would only restate the preload. Chromium's decoders are compared
# for real by the page's tests.
set_property(TARGET image_tests PROPERTY KAVELO_TEST_FILTER -ImageLoading.EveryFormat*:ImagePngSuite.*)
