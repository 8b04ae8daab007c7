# zintor: the two commands of the Quick start, and a few more for developers.
#   make run    install what is missing, build, write the sample log's page and show it
#   make test   install what is missing, build, run every test (also under the sanitizers)

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
SAMPLE     := samples/vorlix_report202611.log

# Debian packages the build and the tests need.
PACKAGES := cmake make g++ pkg-config libgtest-dev \
            libwxgtk3.2-dev libwxgtk-webview3.2-dev \
            xvfb xauth xdotool x11-utils python3 time tidy

.PHONY: run test deps build asan-build clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  if [ "$$(id -u)" -eq 0 ]; then SUDO=; else SUDO=sudo; fi; \
	  $$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j$(JOBS)

asan-build: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DZINTOR_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)

test: build asan-build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j$(JOBS)

run: build
	./$(BUILD)/zintor $(CURDIR)/$(SAMPLE)
	@echo "Page written: $(CURDIR)/$(SAMPLE:.log=.html)"

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
