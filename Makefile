# Shortcuts for the scripts the README names.
.PHONY: run test screenshots windows windows-test
run:
	./scripts/run
test:
	./scripts/test
screenshots:
	./scripts/screenshots
windows:
	./scripts/windows-build
windows-test:
	./scripts/windows-test
