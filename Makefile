# The two commands of the README: `make run` and `make test`. Both install what is missing,
# configure and build into build/: `make run` only the window program, `make test` everything. The browser build: `make web`, `make web-serve`, `make test-web`,
# and `make web-dist` for the site to publish.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

# Debian packages the build needs.
DEPS := cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
        libbenchmark-dev libpng-dev libjpeg62-turbo-dev \
        dpkg-dev file desktop-file-utils \
        xvfb x11-utils dbus-daemon at-spi2-core python3-pyatspi dbus-x11

SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: all deps configure build run test test-core test-asan bench clean \
        web-deps test-web-deps web web-serve web-dist test-web

all: build

deps:
	@missing=""; for p in $(DEPS); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only the window program and the libraries it links: every test, benchmark and tool is built by
# `make test`.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target lumaro
	./$(BUILD)/lumaro

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DLUMARO_CORE_ONLY=ON -DLUMARO_SANITIZE=ON -DLUMARO_BENCHMARKS=OFF

# The core's tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) test-asan

# build/lumaro_<version>_amd64.deb; its dependencies come from dpkg-shlibdeps (dpkg-dev, file).
.PHONY: package
package: build
	cmake --build $(BUILD) --target package

bench: build
	./$(BUILD)/tools/lumaro-bench
	./$(BUILD)/tools/lumaro-photo-bench

# --- The browser build -------------------------------------------------------------------------

WEB_BUILD ?= build-web
WEB_PORT  ?= 8080
# Node 20 with npm comes with the machine; chromium only runs the tests; brotli precompresses the
# published site.
WEB_DEPS      := emscripten cmake ninja-build brotli
TEST_WEB_DEPS := chromium
# Debian's emscripten runs its JavaScript tools with node and needs the Debian node modules
# (node-acorn), which a node from elsewhere does not look for.
WEB_ENV := NODE_PATH=/usr/share/nodejs$(if $(NODE_PATH),:$(NODE_PATH))

define install-missing
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -qq $$missing; \
	fi
endef

web-deps:
	$(call install-missing,$(WEB_DEPS))

test-web-deps:
	$(call install-missing,$(TEST_WEB_DEPS))

$(WEB_BUILD)/build.ninja: | web-deps
	$(WEB_ENV) emcmake cmake -S . -B $(WEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

web: web-deps $(WEB_BUILD)/build.ninja
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

web-serve: web
	node web/serve.mjs $(WEB_BUILD) $(WEB_PORT)

# The site to copy to a static host: $(WEB_BUILD)/lumaro-web-<version>/ and its .tar.gz.
web-dist: web
	node web/site.mjs dist $(WEB_BUILD)/web/site.json

# The page in headless chromium against lumaro-render and the desktop windows of the native build.
test-web: web test-web-deps configure
	cmake --build $(BUILD) -j $(JOBS) --target lumaro-render lumaro-web-ticktime lumaro-desktop-windows
	@if [ ! -f web/node_modules/.package-lock.json ] || [ web/package-lock.json -nt web/node_modules/.package-lock.json ]; then \
	  cd web && npm ci --no-audit --no-fund; \
	fi
	cd web && LUMARO_BUILD=$(CURDIR)/$(BUILD) LUMARO_WEB_BUILD=$(CURDIR)/$(WEB_BUILD) node --test tests/

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WEB_BUILD)
