# The page's shell is tested in Chromium (tests/web); the core's tests run here, under Node.js.
