// The Debian package holds what the install puts in place, under /usr, and
// asks for the runtime packages of the libraries the game links against.
#include <gtest/gtest.h>
#include <dirent.h>
#include <sys/stat.h>

#include <set>
#include <string>

#include "tests/support/test_support.h"

namespace {

std::string ThePackage() {
  std::string found;
  if (DIR* dir = opendir(PACKAGE_DIR)) {
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name.rfind("tumblast_", 0) == 0 && name.size() > 4 && name.compare(name.size() - 4, 4, ".deb") == 0)
        found = std::string(PACKAGE_DIR) + "/" + name;
    }
    closedir(dir);
  }
  return found;
}

// Every file and link below the folder, as paths relative to it.
void ListFiles(const std::string& root, const std::string& below, std::set<std::string>* files) {
  DIR* dir = opendir((root + below).c_str());
  if (!dir) return;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    std::string path = below + "/" + name;
    struct stat st;
    if (lstat((root + path).c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode))
      ListFiles(root, path, files);
    else
      files->insert(path);
  }
  closedir(dir);
}

TEST(Package, HoldsTheInstallUnderUsr) {
  std::string deb = ThePackage();
  ASSERT_FALSE(deb.empty()) << "no package in " << PACKAGE_DIR;
  TempDir scratch;
  ProcessResult install = RunProcess({CMAKE_COMMAND, "--install", BUILD_DIR, "--prefix", scratch.Path("usr")});
  ASSERT_EQ(install.code, 0) << install.err;
  std::set<std::string> installed;
  ListFiles(scratch.path(), "", &installed);

  ProcessResult unpack = RunProcess({"/usr/bin/dpkg-deb", "--extract", deb, scratch.Path("unpacked")});
  ASSERT_EQ(unpack.code, 0) << unpack.err;
  std::set<std::string> packaged;
  ListFiles(scratch.Path("unpacked"), "", &packaged);
  EXPECT_EQ(packaged, installed);
  EXPECT_TRUE(packaged.count("/usr/bin/tumblast"));
}

TEST(Package, DependsOnTheLinkedLibrariesPackages) {
  std::string deb = ThePackage();
  ASSERT_FALSE(deb.empty());
  ProcessResult field = RunProcess({"/usr/bin/dpkg-deb", "--field", deb, "Depends"});
  ASSERT_EQ(field.code, 0) << field.err;
  for (const char* package : {"libglfw3", "libopenal1", "libstb0", "libc6", "libstdc++6"}) {
    EXPECT_NE(field.out.find(package), std::string::npos) << package << " missing from " << field.out;
  }
  // Nothing the build alone needs.
  EXPECT_EQ(field.out.find("-dev"), std::string::npos) << field.out;
}

}  // namespace
