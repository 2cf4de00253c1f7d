// The verification class: a JVM proves what it is by printing the magic line
// and then, for each argument, the value of the system property of that
// name, one per line (an empty line for a property that is not set).  Built
// for Java 8 so that every JVM a launcher may accept can run it.
public final class Verify {
    private static final String MAGIC_LINE = "1739021872";

    private Verify() {}

    public static void main(String[] arguments) {
        StringBuilder output = new StringBuilder(MAGIC_LINE).append('\n');
        for (String name : arguments) {
            String value = name.isEmpty() ? null : System.getProperty(name);
            output.append(value == null ? "" : value).append('\n');
        }
        System.out.print(output);
        System.out.flush();
    }
}
