#!/bin/sh
# Builds the example with the tools of this release, into out/: the Java
# program's jar (hello.jar), then the Windows launcher file hello.exe and the
# Linux one, hello, from their manifests; last it lists what hello.exe carries.
set -eu
cd "$(dirname "$0")"
javac --release 8 -d out/classes Hello.java
jar --create --file out/hello.jar --main-class Hello -C out/classes .
../../bin/vdpack build --manifest hello.vdpack
../../bin/vdpack build --manifest hello-linux.vdpack
../../bin/vdpack list out/hello.exe
