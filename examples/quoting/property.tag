COMMAND: """@JVM_HOME@\@JVM_EXE@"" %SYSTEMPROP%(""app.title"", """"""Hello, World"""""") Main"
