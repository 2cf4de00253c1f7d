DESC: Hello
COMMAND: """@JVM_HOME@\@JVM_EXE@"" %SYSTEMPROP%(""hello.launcher"", """"""%LAUNCHER_FILE%()"""""") %CP%() Hello"
