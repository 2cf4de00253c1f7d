COMMAND: """@JVM_HOME@\@JVM_EXE@"" %CP%(""""""lib\my app.jar"""""") Main"
