package demo;

import java.awt.BorderLayout;
import java.awt.event.WindowAdapter;
import java.awt.event.WindowEvent;
import java.util.concurrent.CountDownLatch;
import javax.swing.JFrame;
import javax.swing.JLabel;
import javax.swing.JMenu;
import javax.swing.JMenuBar;
import javax.swing.JScrollPane;
import javax.swing.JTable;
import javax.swing.SwingUtilities;

/** A Swing window that opens and closes again: what a desktop application's start costs. */
public final class Window {
  public static void main(String[] args) throws Exception {
    CountDownLatch opened = new CountDownLatch(1);
    JFrame[] frame = new JFrame[1];
    SwingUtilities.invokeAndWait(() -> {
      frame[0] = new JFrame("KivLauncher Beispiel");
      JMenuBar menus = new JMenuBar();
      menus.add(new JMenu("Datei"));
      frame[0].setJMenuBar(menus);
      frame[0].add(new JLabel("Hallo aus der Beispielanwendung"), BorderLayout.NORTH);
      frame[0].add(new JScrollPane(new JTable(20, 5)), BorderLayout.CENTER);
      frame[0].addWindowListener(new WindowAdapter() {
        @Override
        public void windowOpened(WindowEvent event) {
          opened.countDown();
        }
      });
      frame[0].pack();
      frame[0].setVisible(true);
    });
    opened.await();
    SwingUtilities.invokeAndWait(() -> frame[0].dispose());
    System.exit(0);
  }
}
