// Found first on the include path of every headless library: each Qt Widgets header includes this one, so
// headless code that reaches for a widget fails to compile here.
#error "headless code must not include Qt Widgets: widgets belong in a ui/ folder"
