import java.io.File;
import java.io.FileDescriptor;
import java.io.FileOutputStream;
import java.io.PrintStream;
import java.io.UnsupportedEncodingException;

// The Java program the end-to-end tests launch in place of an installer.  It
// reports, in UTF-8 on standard output, what it was given:
//   directory <working directory>
//   arguments begin / one line per argument / arguments end
//   property <name>=<value>   for every "--property=<name>" argument
//   env <NAME>=<value>        for every "--env=<NAME>" argument
// prints "--stderr=<text>" arguments on standard error, and exits with the
// code of an "--exit=<code>" argument (0 without one).  Unset properties and
// variables are reported as "<unset>".
public final class TestInstaller {
    private static final String UNSET = "<unset>";

    private TestInstaller() {}

    public static void main(String[] arguments) throws UnsupportedEncodingException {
        PrintStream out = new PrintStream(new FileOutputStream(FileDescriptor.out), true, "UTF-8");
        PrintStream err = new PrintStream(new FileOutputStream(FileDescriptor.err), true, "UTF-8");
        out.print("directory " + new File("").getAbsolutePath() + "\n");
        out.print("arguments begin\n");
        for (String argument : arguments) {
            out.print(argument + "\n");
        }
        out.print("arguments end\n");
        int exitCode = 0;
        for (String argument : arguments) {
            if (argument.startsWith("--property=")) {
                String name = argument.substring("--property=".length());
                out.print("property " + name + "=" + orUnset(System.getProperty(name)) + "\n");
            } else if (argument.startsWith("--env=")) {
                String name = argument.substring("--env=".length());
                out.print("env " + name + "=" + orUnset(System.getenv(name)) + "\n");
            } else if (argument.startsWith("--stderr=")) {
                err.print(argument.substring("--stderr=".length()) + "\n");
            } else if (argument.startsWith("--exit=")) {
                exitCode = Integer.parseInt(argument.substring("--exit=".length()));
            }
        }
        out.flush();
        err.flush();
        System.exit(exitCode);
    }

    private static String orUnset(String value) {
        return value == null ? UNSET : value;
    }
}
