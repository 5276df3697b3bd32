# The browser build's benchmark: nothing yet.
