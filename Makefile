# Shortcuts for the scripts the README names.
.PHONY: run test screenshots
run:
	./scripts/run
test:
	./scripts/test
screenshots:
	./scripts/screenshots
