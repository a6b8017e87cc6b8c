// Java 25's AOT cache with the real Java 25, natively where it is installed:
// trained at the first start, used from the next, trained anew for another
// class path or after a cut, and the application runs every time.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/e2e/installation_fixture.h"

namespace e2e {
namespace {

const char kJdk[] = "/usr/lib/jvm/temurin-25-jdk-amd64";

class AotCache : public StandardInstallation {
 protected:
  void SetUp() override {
    if (WindowsLauncher() || !DrivenFromLinux() ||
        !std::filesystem::exists(std::string(kJdk) + "/release")) {
      GTEST_SKIP() << "no JDK 25 for the native launcher";
    }
    StandardInstallation::SetUp();
    namespace fs = std::filesystem;
    fs::create_directories(app.Path("jdk/bin"));
    fs::create_symlink(std::string(kJdk) + "/bin/java", app.Path("jdk/bin/javaw.exe"));
    fs::create_symlink(std::string(kJdk) + "/release", app.Path("jdk/release"));
    app.Write("src/app/Main.java",
              "package app;\npublic class Main { public static void main(String[] a) {\n"
              "  System.out.println(\"Anwendung laeuft \" + new java.util.TreeMap<>());\n"
              "  System.exit(1);\n} }\n");
    std::string build = "cd '" + app.Root() + "' && '" + kJdk + "/bin/javac' -d classes " +
                        "src/app/Main.java && '" + kJdk + "/bin/jar' cf lib/app.jar -C classes " +
                        ". && cp lib/app.jar lib/other.jar";
    ASSERT_EQ(std::system(build.c_str()), 0);
    app.Write("launch.properties",
              "classpath.default=lib/app.jar\njava64=jdk\nQV=app.Main\nlauncher.keep=true\n"
              "launcher.class_archive=archiv\nlauncher.java_output=java.txt\n");
  }

  // What Java printed, its command line first; the application ran.
  std::string Run(const std::vector<std::string>& arguments = {}) {
    EXPECT_EQ(app.Run(arguments).exitCode, 0);
    std::string output = app.Read("java.txt");
    EXPECT_NE(output.find("Anwendung laeuft {}"), std::string::npos) << output;
    return output;
  }

  std::string Cache() {
    for (const auto& entry : std::filesystem::directory_iterator(app.Path("archiv"))) {
      if (entry.path().extension() == ".aot") return entry.path().string();
    }
    return std::string();
  }
};

TEST_F(AotCache, TrainedOnceUsedAfterwardsAndTrainedAnewWhenItNoLongerFits) {
  EXPECT_NE(Run().find("-XX:AOTCacheOutput="), std::string::npos);
  std::string used = Run();
  ASSERT_FALSE(Cache().empty());
  EXPECT_NE(used.find("-XX:AOTCache=" + Cache()), std::string::npos) << used;
  EXPECT_EQ(used.find("[aot"), std::string::npos) << used;
  EXPECT_NE(Run({"-classpath.default=lib/other.jar"}).find("-XX:AOTCacheOutput="),
            std::string::npos);
  std::filesystem::resize_file(Cache(), std::filesystem::file_size(Cache()) / 2);
  EXPECT_EQ(Run().find("-XX:AOT"), std::string::npos);
  EXPECT_TRUE(Cache().empty());
  EXPECT_NE(app.NormalizedLog().find("ist unvollst\xE4ndig und wird gel\xF6scht"),
            std::string::npos);
  EXPECT_NE(Run().find("-XX:AOTCacheOutput="), std::string::npos);
  EXPECT_NE(Run().find("-XX:AOTCache="), std::string::npos);
}

}  // namespace
}  // namespace e2e
