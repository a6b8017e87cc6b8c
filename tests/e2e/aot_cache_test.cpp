// The AOT cache with the real Java 25, natively where it is installed.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
const std::string kJdk = "/usr/lib/jvm/temurin-25-jdk-amd64";

// Java's command line and what it printed; the application ran.
std::string Started(const Installation& app, const std::string& parameter = "-start=qv") {
  EXPECT_EQ(app.Run({parameter}).exitCode, 0);
  EXPECT_NE(app.Read("java.txt").find("Anwendung laeuft{}"), std::string::npos);
  return app.Read("java.txt");
}

TEST_F(StandardInstallation, Java25TrainsItsAotCacheOnceAndAgainWhenItNoLongerFits) {
  if (WindowsLauncher() || !fs::exists(kJdk + "/release")) GTEST_SKIP() << "no native Java 25";
  fs::create_directories(app.Path("jdk/bin"));
  fs::create_symlink(kJdk + "/bin/java", app.Path("jdk/bin/javaw.exe"));
  fs::create_symlink(kJdk + "/release", app.Path("jdk/release"));
  app.Write("M.java",
            "class M { public static void main(String[] a) { System.out.println("
            "\"Anwendung laeuft\" + new java.util.TreeMap<>()); System.exit(1); } }");
  ASSERT_EQ(std::system(("cd " + app.Root() + " && " + kJdk + "/bin/javac M.java && " + kJdk +
                         "/bin/jar cf lib/a.jar M.class && cp lib/a.jar lib/b.jar")
                            .c_str()),
            0);
  app.Write("launch.properties",
            "classpath.default=lib/a.jar\njava64=jdk\nQV=M\nlauncher.keep=true\n"
            "launcher.class_archive=archiv\nlauncher.java_output=java.txt\n");
  EXPECT_NE(Started(app).find("-XX:AOTCacheOutput="), std::string::npos);
  std::string used = Started(app);
  ASSERT_NE(used.find("-XX:AOTCache="), std::string::npos) << used;
  EXPECT_NE(Started(app, "-classpath.default=lib/b.jar").find("AOTCacheOutput"), std::string::npos);
  std::string cache = used.substr(used.find("-XX:AOTCache=") + 13);
  cache.erase(cache.find(' '));
  fs::resize_file(cache, fs::file_size(cache) / 2);
  EXPECT_EQ(Started(app).find("-XX:AOT"), std::string::npos);
  EXPECT_FALSE(fs::exists(cache));
  EXPECT_NE(Started(app).find("-XX:AOTCacheOutput="), std::string::npos);
  EXPECT_NE(Started(app).find("-XX:AOTCache="), std::string::npos);
  fs::last_write_time(app.Path("lib/a.jar"), fs::last_write_time(cache) + std::chrono::hours(1));
  app.Run({"-launcher.check=true"});
  EXPECT_NE(app.NormalizedLog().find("Art: AOT-Cache, passt nicht"), std::string::npos);
  EXPECT_EQ(Started(app).find("-XX:AOT"), std::string::npos);
  EXPECT_NE(Started(app).find("-XX:AOTCacheOutput="), std::string::npos);
}

}  // namespace
}  // namespace e2e
