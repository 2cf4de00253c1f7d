/**
 * The Java program of the example launcher: it greets, names the launcher
 * file that started it and prints its arguments, one a line.
 */
public class Hello {
    public static void main(String[] args) {
        System.out.println("Hello from Java " + System.getProperty("java.version"));
        System.out.println("launcher: " + System.getProperty("hello.launcher"));
        for (String argument : args) {
            System.out.println("argument: " + argument);
        }
    }
}
