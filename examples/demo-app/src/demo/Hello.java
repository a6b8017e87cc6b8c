package demo;

import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Paths;
import java.util.Arrays;

/** The example application: says what it was started with. */
public final class Hello {
  public static void main(String[] args) throws IOException {
    String text = "Hallo aus der Beispielanwendung!\n"
        + "  Java " + System.getProperty("java.version") + "\n"
        + "  demo.mode = " + System.getProperty("demo.mode") + "\n"
        + "  Heap maximal " + Runtime.getRuntime().maxMemory() / (1024 * 1024) + " MiB\n"
        + "  Argumente " + Arrays.toString(args) + "\n";
    System.out.print(text);
    Files.write(Paths.get("demo-output.txt"), text.getBytes(StandardCharsets.UTF_8));
  }
}
