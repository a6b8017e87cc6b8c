package demo;

import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Paths;
import java.util.Arrays;

/**
 * The example application: says what it was started with. With -Ddemo.wait=SECONDS it
 * stays that long afterwards, as an application the user works with.
 */
public final class Hello {
  public static void main(String[] args) throws IOException, InterruptedException {
    String text = "Hallo aus der Beispielanwendung!\n"
        + "  Java " + System.getProperty("java.version") + ", "
        + System.getProperty("sun.arch.data.model") + " Bit\n"
        + "  demo.mode = " + System.getProperty("demo.mode") + "\n"
        + "  Heap maximal " + Runtime.getRuntime().maxMemory() / (1024 * 1024) + " MiB\n"
        + "  Argumente " + Arrays.toString(args) + "\n";
    System.out.print(text);
    Files.write(Paths.get("demo-output.txt"), text.getBytes(StandardCharsets.UTF_8));
    Thread.sleep(Long.getLong("demo.wait", 0) * 1000);
  }
}
