/* Counts the frames a program shows, for the benchmarks of the real game:
 * preloaded, it wraps glfwSwapBuffers and keeps the count in the file named
 * by SWAP_COUNT_FILE, mapped shared, so a script can read it at any moment
 * (8 bytes, native order) without slowing the frame. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

typedef struct GLFWwindow GLFWwindow;

static unsigned long long* OpenCount(void) {
  const char* path = getenv("SWAP_COUNT_FILE");
  if (!path) return NULL;
  int fd = open(path, O_RDWR | O_CREAT, 0644);
  if (fd < 0) return NULL;
  void* map = ftruncate(fd, sizeof(unsigned long long)) == 0
                  ? mmap(NULL, sizeof(unsigned long long), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                  : MAP_FAILED;
  close(fd);
  return map == MAP_FAILED ? NULL : (unsigned long long*)map;
}

void glfwSwapBuffers(GLFWwindow* window) {
  static void (*real)(GLFWwindow*);
  static unsigned long long* count;
  static int opened;
  if (!real) real = (void (*)(GLFWwindow*))dlsym(RTLD_NEXT, "glfwSwapBuffers");
  if (!opened) {
    opened = 1;
    count = OpenCount();
  }
  real(window);
  if (count) *count += 1;
}
