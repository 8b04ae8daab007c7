# zintor: the two commands of the Quick start, and a few more for developers.
#   make run    install what is missing, build, write the sample log's page and show it
#   make test   install what is missing, build, run every test (also under the sanitizers,
#               and each fuzz target briefly)
#   make fuzz   run each fuzz target for FUZZ_SECONDS (default 60)
#   make deb    build the Debian packages zintor and zintor-record into build-deb/
#   make deb-check  build them, install them here, check what they installed, remove them

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
SAMPLE     := samples/vorlix_report202611.log

# Debian packages the build and the tests need.
PACKAGES := cmake make g++ pkg-config libgtest-dev \
            libwxgtk3.2-dev libwxgtk-webview3.2-dev libgtk-3-dev libwebkit2gtk-4.0-dev \
            xvfb xauth xdotool x11-utils python3 time tidy desktop-file-utils chromium \
            openbox icewm wmctrl python3-gi gir1.2-gtk-3.0 dbus-daemon \
            clang libclang-rt-14-dev clang-format groff-base systemd \
            locales wx3.2-i18n fonts-noto-cjk appstream

# Debian packages `make deb` makes and checks the packages with; what the package's own build
# needs comes from the Build-Depends of debian/control (`apt-get build-dep`).
DEB_PACKAGES := dpkg-dev debhelper lintian appstream man-db
DEB_BUILD  ?= build-deb
VERSION    := $(shell sed -n 's/^project.zintor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

.PHONY: run test deps build asan-build fuzz-build fuzz clean format format-check deb deb-deps deb-check

# Installs the Debian packages named in $(1) that are missing.
define install_missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  if [ "$$(id -u)" -eq 0 ]; then SUDO=; else SUDO=sudo; fi; \
	  $$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))
	@# The window in Japanese (its tests and screenshots) needs a Japanese locale; made once.
	@locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' || { \
	  if [ "$$(id -u)" -eq 0 ]; then SUDO=; else SUDO=sudo; fi; \
	  $$SUDO localedef -i ja_JP -c -f UTF-8 -A /usr/share/locale/locale.alias ja_JP.UTF-8; }

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j$(JOBS)

asan-build: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DZINTOR_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)

# The fuzz targets: clang with libFuzzer, ASan and UBSan, in a build of their own.
fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZINTOR_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS)

# Tests that act as an unprivileged user reach their temporary folders through /. A root
# folder closed to other users (a root made with mktemp -d has mode 0700; no installed
# system has one) is opened as an installed system's is, and said so.
define open_root
	@if [ "$$(id -u)" -eq 0 ] && [ $$(( 0$$(stat -c %a /) & 1 )) -eq 0 ]; then \
	  echo "make $@: / (mode $$(stat -c %a /)) is closed to other users; chmod o+x /"; chmod o+x /; fi
endef

test: format-check build asan-build fuzz-build
	$(open_root)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j$(JOBS)
	cd $(FUZZ_BUILD) && ctest --output-on-failure -j$(JOBS)

# The C and C++ sources, formatted by .clang-format: `make format` applies it, `make test`
# fails on any source that it would change.
SOURCES = $(shell find app bench desktop fuzz html logs platform record report resources tests tools \
            -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) 2>/dev/null | sort)
format: deps
	clang-format -i $(SOURCES)
format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

# Each fuzz target (or those named in FUZZ_TARGETS) for FUZZ_SECONDS, at low priority. New
# inputs collect in $(FUZZ_BUILD)/corpus/NAME, findings in $(FUZZ_BUILD)/artifacts, the whole
# output in $(FUZZ_BUILD)/logs/NAME.log; the number of executions of each is printed.
FUZZ_TARGETS ?= $(patsubst fuzz/%_fuzz.cpp,%,$(wildcard fuzz/*_fuzz.cpp))
fuzz: fuzz-build
	@mkdir -p $(FUZZ_BUILD)/artifacts $(FUZZ_BUILD)/logs
	@status=0; for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  if nice -n 19 ./$(FUZZ_BUILD)/$${t}_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	       -dict=fuzz/zintor.dict -artifact_prefix=$(FUZZ_BUILD)/artifacts/$$t- \
	       $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t > $(FUZZ_BUILD)/logs/$$t.log 2>&1; \
	  then result=ok; else result="FAILED, see $(FUZZ_BUILD)/logs/$$t.log"; status=1; fi; \
	  echo "$$t: $$(sed -n 's/^stat::number_of_executed_units: *//p' $(FUZZ_BUILD)/logs/$$t.log) executions, $$result"; \
	done; exit $$status

# The program and its window only: no tests to build before the sample's page is on screen.
run: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j$(JOBS) --target zintor zintor_gui
	./$(BUILD)/zintor $(CURDIR)/$(SAMPLE)
	@echo "Page written: $(CURDIR)/$(SAMPLE:.log=.html)"
	@# With a display, the window opens on the sample (with the side menu on a first run;
	@# later runs keep what the window saved).
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  [ -f $(BUILD)/zintor.ini ] || printf '[Settings]\nIsSideMenu=1\n' > $(BUILD)/zintor.ini; \
	  ./$(BUILD)/zintor --show $(CURDIR)/$(SAMPLE); \
	else echo "No display: open the page in a browser, or run make run on a desktop to see the window."; fi

# The Debian packages, built by debhelper from a copy of this tree (without its build folders)
# in $(DEB_BUILD)/zintor-VERSION: the source package and the two binary packages land in
# $(DEB_BUILD)/, lintian's report in $(DEB_BUILD)/lintian.txt. Fails on any lintian error or
# warning but the one every first upload without a bug to close has.
deb-deps:
	$(call install_missing,$(DEB_PACKAGES))

deb: deb-deps
	rm -rf $(DEB_BUILD)
	mkdir -p $(DEB_BUILD)/zintor-$(VERSION)
	tar -c --exclude-vcs --exclude='./build*' --exclude='./obj-*' --exclude='./bench/out' \
	    --exclude='./samples/*.html' --exclude=__pycache__ --exclude='*.swp' . \
	  | tar -x -C $(DEB_BUILD)/zintor-$(VERSION)
	@cd $(DEB_BUILD)/zintor-$(VERSION) && dpkg-checkbuilddeps 2>/dev/null || { \
	  if [ "$$(id -u)" -eq 0 ]; then SUDO=; else SUDO=sudo; fi; \
	  $$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get build-dep -y --no-install-recommends ./; }
	$(open_root)
	cd $(DEB_BUILD)/zintor-$(VERSION) && DEB_BUILD_OPTIONS="noddebs parallel=$(JOBS)" dpkg-buildpackage -us -uc
	lintian --info --display-info --pedantic $(DEB_BUILD)/zintor_$(VERSION)_*.changes > $(DEB_BUILD)/lintian.txt 2>&1 || true
	@cat $(DEB_BUILD)/lintian.txt
	@! grep -E '^[EW]: ' $(DEB_BUILD)/lintian.txt | grep -v ' initial-upload-closes-no-bugs'
	@ls $(DEB_BUILD)/*.deb

# The packages on this machine: installed with apt, the programs, manual pages, units and
# metainfo they brought checked, then removed; of their files only conffiles may stay behind
# (the system recorder's logs in /var/lib/zintor stay too, until purged; none are made here).
deb-check: deb
	DEBIAN_FRONTEND=noninteractive apt-get install -y ./$(DEB_BUILD)/*.deb
	zintor --version
	@folder=$$(mktemp -d) && cp -r samples/. $$folder && zintor --all $$folder && \
	  test -s $$folder/$(notdir $(SAMPLE:.log=.html)) && echo "Page written: $$folder/$(notdir $(SAMPLE:.log=.html))" && rm -rf $$folder
	man -w zintor zintor-record
	systemd-analyze verify --man=no $$(dpkg -L zintor-record | grep '/systemd/system/zintor-')
	XDG_RUNTIME_DIR=$$(mktemp -d) systemd-analyze verify --man=no --user $$(dpkg -L zintor-record | grep '/systemd/user/zintor-')
	appstreamcli validate --no-net /usr/share/metainfo/org.zintor.zintor.metainfo.xml
	@# the system user is made, and no service is enabled, neither the system's nor the users'
	getent passwd zintor
	! systemctl is-enabled --quiet zintor-record.service zintor-pages.timer
	! systemctl --global is-enabled --quiet zintor-record.service
	@dpkg-query -W -f='$${Conffiles}\n' zintor zintor-record | awk 'NF {print $$1}' | sort > $(DEB_BUILD)/conffiles
	@dpkg -L zintor zintor-record | sort -u > $(DEB_BUILD)/installed
	DEBIAN_FRONTEND=noninteractive apt-get remove -y zintor-record zintor
	@left=$$(while read -r f; do [ ! -d "$$f" ] && { [ -L "$$f" ] || [ -e "$$f" ]; } && echo "$$f"; done < $(DEB_BUILD)/installed \
	         | grep -vxF -f $(DEB_BUILD)/conffiles; [ ! -d /usr/lib/zintor ] || echo /usr/lib/zintor); \
	  if [ -n "$$left" ]; then echo "Left behind after apt-get remove:"; echo "$$left"; exit 1; fi; \
	  echo "Removed: nothing of either package is left but its conffiles ($$(wc -l < $(DEB_BUILD)/conffiles))."

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(DEB_BUILD)
